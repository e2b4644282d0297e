// A recursive-descent JSON reader (no \u surrogate pairs beyond the BMP needed here).
#include "cli/mini_json.h"

#include <cstdlib>

namespace varnokit::testing {

const JsonValue& JsonValue::operator[](const std::string& key) const {
    static const JsonValue null;
    auto it = members.find(key);
    return it == members.end() ? null : it->second;
}

namespace {

class Reader {
public:
    explicit Reader(const std::string& text) : s_(text) {}

    bool document(JsonValue& out) {
        if (!value(out)) return false;
        skip();
        return i_ == s_.size();
    }

private:
    void skip() {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\n' || s_[i_] == '\r' || s_[i_] == '\t')) ++i_;
    }
    bool literal(const char* word) {
        std::string w(word);
        if (s_.compare(i_, w.size(), w) != 0) return false;
        i_ += w.size();
        return true;
    }
    bool value(JsonValue& out) {
        skip();
        if (i_ >= s_.size()) return false;
        const char c = s_[i_];
        if (c == '{') return object(out);
        if (c == '[') return array(out);
        if (c == '"') {
            out.kind = JsonValue::Kind::String;
            return string(out.text);
        }
        if (literal("true")) return out.kind = JsonValue::Kind::Bool, out.boolean = true, true;
        if (literal("false")) return out.kind = JsonValue::Kind::Bool, true;
        if (literal("null")) return true;
        const char* start = s_.c_str() + i_;
        char* end = nullptr;
        out.number = std::strtod(start, &end);
        if (end == start) return false;
        out.kind = JsonValue::Kind::Number;
        i_ += static_cast<std::size_t>(end - start);
        return true;
    }
    bool string(std::string& out) {
        ++i_;  // opening quote
        while (i_ < s_.size() && s_[i_] != '"') {
            char c = s_[i_++];
            if (static_cast<unsigned char>(c) < 0x20) return false;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (i_ >= s_.size()) return false;
            char e = s_[i_++];
            switch (e) {
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'u': {
                    if (i_ + 4 > s_.size()) return false;
                    unsigned code = static_cast<unsigned>(std::strtoul(s_.substr(i_, 4).c_str(), nullptr, 16));
                    i_ += 4;
                    if (code < 0x80) {
                        out += static_cast<char>(code);
                    } else if (code < 0x800) {
                        out += static_cast<char>(0xC0 | (code >> 6));
                        out += static_cast<char>(0x80 | (code & 0x3F));
                    } else {
                        out += static_cast<char>(0xE0 | (code >> 12));
                        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
                        out += static_cast<char>(0x80 | (code & 0x3F));
                    }
                    break;
                }
                default: out += e; break;  // \" \\ \/
            }
        }
        if (i_ >= s_.size()) return false;
        ++i_;  // closing quote
        return true;
    }
    bool array(JsonValue& out) {
        out.kind = JsonValue::Kind::Array;
        ++i_;
        skip();
        if (i_ < s_.size() && s_[i_] == ']') return ++i_, true;
        while (true) {
            JsonValue item;
            if (!value(item)) return false;
            out.items.push_back(std::move(item));
            skip();
            if (i_ >= s_.size()) return false;
            if (s_[i_] == ']') return ++i_, true;
            if (s_[i_++] != ',') return false;
        }
    }
    bool object(JsonValue& out) {
        out.kind = JsonValue::Kind::Object;
        ++i_;
        skip();
        if (i_ < s_.size() && s_[i_] == '}') return ++i_, true;
        while (true) {
            skip();
            if (i_ >= s_.size() || s_[i_] != '"') return false;
            std::string key;
            if (!string(key)) return false;
            skip();
            if (i_ >= s_.size() || s_[i_++] != ':') return false;
            JsonValue member;
            if (!value(member)) return false;
            out.members[key] = std::move(member);
            skip();
            if (i_ >= s_.size()) return false;
            if (s_[i_] == '}') return ++i_, true;
            if (s_[i_++] != ',') return false;
        }
    }

    const std::string& s_;
    std::size_t i_ = 0;
};

}  // namespace

bool parseJson(const std::string& text, JsonValue& out) {
    out = JsonValue{};
    return Reader(text).document(out);
}

}  // namespace varnokit::testing
