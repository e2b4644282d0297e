// A small JSON reader for tests: enough to compare the command line's JSON
// with the answer files of the shared puzzles.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace varnokit::testing {

struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object } kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string text;                     // String
    std::vector<JsonValue> items;         // Array
    std::map<std::string, JsonValue> members;  // Object

    const JsonValue& operator[](const std::string& key) const;  // Null when absent
};

// Parses one JSON document; returns false on malformed text or trailing garbage.
bool parseJson(const std::string& text, JsonValue& out);

}  // namespace varnokit::testing
