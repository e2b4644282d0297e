// Command-line parsing for varnokit-cli (filled in with the tool).
namespace varnokit {}
