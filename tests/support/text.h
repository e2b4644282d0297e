// Test helpers for cp932 text: write expectations in readable UTF-8.
#pragma once

#include <string>

namespace varnokit::testing {

// The cp932 bytes of a UTF-8 literal (aborts the test run on an unmappable character).
std::string sjis(const std::string& utf8);
// The UTF-8 form of cp932 bytes, for readable failure messages.
std::string utf8(const std::string& cp932);

}  // namespace varnokit::testing
