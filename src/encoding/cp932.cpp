// iconv wrappers for cp932 <-> UTF-8.
#include "encoding/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace varnokit {
namespace {

// One iconv descriptor for a single conversion call, closed on every path.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
        }
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    ConversionResult run(const std::string& in, std::string& out) {
        out.clear();
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        char buffer[1024];
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            std::size_t rc = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
                // EILSEQ: invalid or unmappable; EINVAL: incomplete sequence at the end.
                return ConversionResult{false, in.size() - inLeft};
            }
        }
        return ConversionResult{};
    }

private:
    iconv_t cd_;
};

}  // namespace

ConversionResult utf8ToCp932(const std::string& utf8, std::string& out) {
    return Converter("CP932", "UTF-8").run(utf8, out);
}

ConversionResult cp932ToUtf8(const std::string& cp932, std::string& out) {
    return Converter("UTF-8", "CP932").run(cp932, out);
}

std::string cp932ToUtf8Lossy(const std::string& cp932) {
    std::string result;
    std::string rest = cp932;
    while (true) {
        std::string part;
        ConversionResult r = cp932ToUtf8(rest, part);
        result += part;
        if (r.ok) return result;
        result += "\xEF\xBF\xBD";  // U+FFFD
        rest.erase(0, r.badOffset + 1);
    }
}

}  // namespace varnokit
