// Conversion between the core's cp932 text and the UTF-8 of the window and
// the terminal, through glibc iconv. Nothing is ever replaced by a
// substitute: a character that has no form on the other side is reported.
#pragma once

#include <string>

namespace varnokit {

struct ConversionResult {
    bool ok = true;
    std::size_t badOffset = 0;  // byte offset of the first unconvertible character in the input
};

// UTF-8 to cp932. Fails on a character cp932 cannot hold (an emoji, say) or
// on malformed UTF-8; `out` then holds what was converted before it.
ConversionResult utf8ToCp932(const std::string& utf8, std::string& out);

// cp932 to UTF-8. Fails on a byte sequence that is not cp932 (a lone lead
// byte, 0x80, 0xA0, 0xFD-0xFF).
ConversionResult cp932ToUtf8(const std::string& cp932, std::string& out);

// cp932 to UTF-8 for display: a byte that is not cp932 is shown as U+FFFD
// instead of failing. For messages and logs, never for data that is saved.
std::string cp932ToUtf8Lossy(const std::string& cp932);

}  // namespace varnokit
