// cp932 helpers for tests, over the encoding library.
#include "support/text.h"

#include <cstdlib>
#include <cstdio>

#include "encoding/cp932.h"

namespace varnokit::testing {

std::string sjis(const std::string& utf8Text) {
    std::string out;
    if (!utf8ToCp932(utf8Text, out).ok) {
        std::fprintf(stderr, "test text has no cp932 form: %s\n", utf8Text.c_str());
        std::abort();
    }
    return out;
}

std::string utf8(const std::string& cp932) { return cp932ToUtf8Lossy(cp932); }

}  // namespace varnokit::testing
