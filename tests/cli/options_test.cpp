// The command line of varnokit-cli: what it accepts and what it refuses.
#include <gtest/gtest.h>

#include "cli/options.h"

namespace varnokit::cli {
namespace {

ParsedArguments parse(std::vector<std::string> args) { return parseArguments(args); }

TEST(CliOptions, AcceptsEveryOptionInEitherForm) {
    ParsedArguments p = parse({"solve", "--json", "a.txt", "--timeout", "2.5", "--no-clock",
                               "--engine=reference", "--unique", "--report=out.txt", "--overwrite", "-",
                               "--max-solutions", "2"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.command, Command::Solve);
    const CliOptions& o = p.options;
    EXPECT_TRUE(o.json);
    EXPECT_DOUBLE_EQ(o.timeoutSeconds, 2.5);
    EXPECT_FALSE(o.measureClock);
    EXPECT_EQ(o.engine, SearchEngine::Reference);
    EXPECT_TRUE(o.unique);
    EXPECT_EQ(o.reportPath, "out.txt");
    EXPECT_TRUE(o.overwrite);
    EXPECT_EQ(o.files, (std::vector<std::string>{"a.txt", "-"}));
    EXPECT_EQ(o.maxSolutions, 2);
    EXPECT_FALSE(o.countOnly);
    ParsedArguments counting = parse({"solve", "--count", "--max-solutions=2147483647", "a.txt"});
    ASSERT_TRUE(counting.ok) << counting.error;
    EXPECT_TRUE(counting.options.countOnly);
    EXPECT_EQ(counting.options.maxSolutions, 2147483647);
}

TEST(CliOptions, DefaultsAndFilesAfterDoubleDash) {
    ParsedArguments p = parse({"solve", "--", "--json", "b.txt"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_FALSE(p.options.json);
    EXPECT_FALSE(p.options.measureClock);  // a second per process only when asked
    EXPECT_EQ(p.options.engine, SearchEngine::Fast);
    EXPECT_EQ(p.options.timeoutSeconds, 0);
    EXPECT_EQ(p.options.files, (std::vector<std::string>{"--json", "b.txt"}));
}

TEST(CliOptions, HelpInEveryPlace) {
    EXPECT_EQ(parse({"--help"}).command, Command::Help);
    EXPECT_EQ(parse({"-h"}).command, Command::Help);
    ParsedArguments p = parse({"solve", "--help"});
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.command, Command::Help);
    EXPECT_NE(helpText().find("--timeout SECONDS"), std::string::npos);
}

TEST(CliOptions, VersionAndClockOnRequest) {
    EXPECT_EQ(parse({"--version"}).command, Command::Version);
    EXPECT_FALSE(parse({"--version", "x"}).ok);
    EXPECT_EQ(parse({"solve", "a.txt", "--version"}).command, Command::Version);
    EXPECT_EQ(parse({"solve", "--version", "--help"}).command, Command::Help);
    EXPECT_EQ(versionText().rfind("varnokit-cli ", 0), 0u);
    EXPECT_TRUE(parse({"solve", "--clock", "a.txt"}).options.measureClock);
    EXPECT_FALSE(parse({"solve", "--clock", "--no-clock", "a.txt"}).options.measureClock);
}

TEST(CliOptions, RefusesBadUsageWithAReason) {
    struct Case {
        std::vector<std::string> args;
        std::string reasonPart;
    };
    const Case cases[] = {
        {{}, "no command"},
        {{"solv", "a.txt"}, "unknown command"},
        {{"solve"}, "no problem file"},
        {{"solve", "a.txt", "--frobnicate"}, "unknown option"},
        {{"solve", "a.txt", "--timeout"}, "needs a value"},
        {{"solve", "a.txt", "--timeout", "0"}, "positive"},
        {{"solve", "a.txt", "--timeout", "-3"}, "positive"},
        {{"solve", "a.txt", "--timeout", "5s"}, "positive"},
        {{"solve", "a.txt", "--timeout", "nan"}, "positive"},
        {{"solve", "a.txt", "--timeout", "1e300"}, "positive"},
        {{"solve", "a.txt", "--engine", "quick"}, "reference or fast"},
        {{"solve", "a.txt", "--json=yes"}, "takes no value"},
        {{"solve", "a.txt", "--overwrite"}, "--overwrite needs --report"},
        {{"solve", "a.txt", "--report", "r.txt", "--report-stdout"}, "cannot be used together"},
        {{"solve", "a.txt", "--json", "--report-stdout"}, "cannot be used together"},
        {{"solve", "-", "-"}, "only once"},
        {{"solve", "a.txt", "--report="}, "file name"},
        {{"solve", "a.txt", "--max-solutions", "0"}, "from 1 to 2147483647"},
        {{"solve", "a.txt", "--max-solutions", "2147483648"}, "from 1 to 2147483647"},
        {{"solve", "a.txt", "--max-solutions", "-2"}, "from 1 to 2147483647"},
        {{"solve", "a.txt", "--max-solutions", "two"}, "from 1 to 2147483647"},
        {{"solve", "a.txt", "--count", "--unique"}, "--count does not keep"},
    };
    for (const Case& c : cases) {
        ParsedArguments p = parse(c.args);
        EXPECT_FALSE(p.ok) << ::testing::PrintToString(c.args);
        EXPECT_NE(p.error.find(c.reasonPart), std::string::npos)
            << ::testing::PrintToString(c.args) << " gave: " << p.error;
    }
}

}  // namespace
}  // namespace varnokit::cli
