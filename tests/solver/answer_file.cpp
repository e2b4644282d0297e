// A reader for the answer files' fixed JSON shape: an object with "count"
// and "solutions", each solution an object of strings and one string array.
#include "solver/answer_file.h"

#include <cctype>
#include <fstream>
#include <sstream>

namespace varnokit::testing {
namespace {

class Reader {
public:
    explicit Reader(std::string text) : text_(std::move(text)) {}

    bool readTop(KnownAnswers& answers) {
        if (!expect('{')) return false;
        do {
            std::string key;
            if (!readString(key) || !expect(':')) return false;
            if (key == "count") {
                if (!readInt(answers.count)) return false;
            } else if (key == "solutions") {
                if (!readSolutions(answers.solutions)) return false;
            } else {
                return false;
            }
        } while (accept(','));
        return expect('}');
    }

private:
    bool readSolutions(std::vector<KnownSolution>& out) {
        if (!expect('[')) return false;
        if (accept(']')) return true;
        do {
            KnownSolution solution;
            if (!readSolution(solution)) return false;
            out.push_back(solution);
        } while (accept(','));
        return expect(']');
    }

    bool readSolution(KnownSolution& solution) {
        if (!expect('{')) return false;
        do {
            std::string key;
            if (!readString(key) || !expect(':')) return false;
            if (key == "rows") {
                if (!expect('[')) return false;
                if (!accept(']')) {
                    do {
                        std::string row;
                        if (!readString(row)) return false;
                        solution.rows.push_back(row);
                    } while (accept(','));
                    if (!expect(']')) return false;
                }
                continue;
            }
            std::string value;
            if (!readString(value)) return false;
            if (key == "divisor") solution.divisor = value;
            else if (key == "quotient") solution.quotient = value;
            else if (key == "dividend") solution.dividend = value;
            else if (key == "remainder") solution.remainder = value;
            else return false;
        } while (accept(','));
        return expect('}');
    }

    void skipSpace() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    }
    bool accept(char c) {
        skipSpace();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    bool expect(char c) { return accept(c); }
    bool readString(std::string& out) {
        if (!accept('"')) return false;
        const std::size_t end = text_.find('"', pos_);
        if (end == std::string::npos) return false;
        out = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        return true;
    }
    bool readInt(int& out) {
        skipSpace();
        const std::size_t start = pos_;
        while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) ++pos_;
        if (pos_ == start) return false;
        out = std::stoi(text_.substr(start, pos_ - start));
        return true;
    }

    std::string text_;
    std::size_t pos_ = 0;
};

}  // namespace

bool readKnownAnswers(const std::string& path, KnownAnswers& answers) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::stringstream buffer;
    buffer << file.rdbuf();
    return Reader(buffer.str()).readTop(answers);
}

}  // namespace varnokit::testing
