// Loading a problem file into the five input boxes: lines are split at LF
// (CR LF in files we write), Ctrl-Z ends the file, and each line is filed
// under the notes, the condition or the next data box by a fixed rule order.
#include <filesystem>
#include <string>

#include "files/problem_file.h"

namespace varnokit {

namespace {

constexpr int kEnd = -1;    // end of the bytes, or a Ctrl-Z
constexpr int kError = -2;  // the stream reported a read error
constexpr int kCtrlZ = 0x1A;
constexpr std::size_t kConditionByte = 11;  // the byte after a leading "<!--JOUKEN="
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// The most bytes a line within the limit can take: three per cp932 byte
// (a half-width katakana in UTF-8), and a byte order mark on the first line.
constexpr std::size_t kMaxRawLineBytes = 3 * kMaxProblemLineBytes + kByteOrderMark.size();

// --- Byte sources ---

class TextSource {
public:
    explicit TextSource(std::string_view bytes) : bytes_(bytes) {}
    int next() {
        if (pos_ >= bytes_.size()) return kEnd;
        int c = static_cast<unsigned char>(bytes_[pos_++]);
        if (c == kCtrlZ) {
            pos_ = bytes_.size();
            return kEnd;
        }
        return c;
    }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

class StreamSource {
public:
    explicit StreamSource(std::FILE* stream) : stream_(stream) {}
    int next() {
        if (ended_) return kEnd;
        int c = std::getc(stream_);
        if (c == EOF) return std::ferror(stream_) ? kError : end();
        return c == kCtrlZ ? end() : c;
    }

private:
    int end() {
        ended_ = true;  // nothing after a Ctrl-Z is read, even from a stream
        return kEnd;
    }
    std::FILE* stream_;
    bool ended_ = false;
};

// --- Lines ---

enum class LineResult { Line, End, TooLong, Error };

// Reads one line without its line end. A line may hold kMaxRawLineBytes
// bytes (the caller measures it against the limit in its encoding); a longer
// one is refused without reading the rest of it, so an endless stream
// without line ends cannot exhaust memory.
template <class Source>
LineResult readLine(Source& source, std::string& line) {
    line.clear();
    bool sawByte = false;
    for (;;) {
        int c = source.next();
        if (c == kError) return LineResult::Error;
        if (c == kEnd) {
            if (!sawByte) return LineResult::End;
            break;  // a last line without a line end counts as a line
        }
        sawByte = true;
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            break;
        }
        // One byte beyond the limit may still be the CR of a CR LF.
        if (line.size() > kMaxRawLineBytes) return LineResult::TooLong;
        line.push_back(static_cast<char>(c));
    }
    return line.size() > kMaxRawLineBytes ? LineResult::TooLong : LineResult::Line;
}

// --- Encoding ---

// Decides the file's encoding from its first lines: a byte order mark
// (dropped) means UTF-8, and otherwise the first line beyond ASCII decides.
class EncodingGuess {
public:
    explicit EncodingGuess(TextEncoding& encoding) : encoding_(encoding) {}
    void look(std::string& line) {
        if (firstLine_) {
            firstLine_ = false;
            if (line.starts_with(kByteOrderMark)) {
                line.erase(0, kByteOrderMark.size());
                decide(TextEncoding::Utf8);
                return;
            }
        }
        if (decided_) return;
        for (char c : line) {
            if (static_cast<unsigned char>(c) >= 0x80) {
                decide(looksLikeUtf8(line) ? TextEncoding::Utf8 : TextEncoding::Cp932);
                return;
            }
        }
    }

private:
    void decide(TextEncoding encoding) {
        encoding_ = encoding;
        decided_ = true;
    }
    TextEncoding& encoding_;
    bool firstLine_ = true;
    bool decided_ = false;
};

// --- Classifying lines ---

struct Loader {
    ProblemBoxes& boxes;
    bool notesOpen = false;
    int dataLines = 0;

    // Files one line; false when the line ends the reading.
    bool take(const std::string& line) {
        if (line == "<!--comment") {
            notesOpen = true;
        } else if (line == "comment-->") {
            notesOpen = false;
        } else if (notesOpen || line.empty() || line[0] == '#') {
            boxes.notes.push_back(line);
        } else if (line.find("<!--JOUKEN=") != std::string::npos) {
            ++dataLines;
            // The box takes one byte, at a fixed position: with the marker
            // at the start that is the digit after it; "=12" loads as 1.
            boxes.condition = line.size() > kConditionByte ? line.substr(kConditionByte, 1) : "";
            return false;
        } else {
            ++dataLines;
            if (dataLines == 1) {
                boxes.divisor = line;
            } else if (dataLines == 2) {
                boxes.quotient = line;
            } else {
                boxes.body.push_back(line);
            }
        }
        return true;
    }
};

template <class Source>
FileStatus load(Source& source, ProblemBoxes& boxes) {
    boxes = ProblemBoxes{};
    Loader loader{boxes};
    EncodingGuess guess(boxes.encoding);
    std::string line;
    for (int lines = 0;; ++lines) {
        const LineResult result = readLine(source, line);
        if (result == LineResult::Line && lines == kMaxProblemFileLines) return FileStatus::TooManyLines;
        switch (result) {
        case LineResult::End:
            return FileStatus::Ok;
        case LineResult::TooLong:
            return FileStatus::LineTooLong;
        case LineResult::Error:
            return FileStatus::ReadError;
        case LineResult::Line:
            guess.look(line);
            if (cp932Length(line, boxes.encoding) > kMaxProblemLineBytes) return FileStatus::LineTooLong;
            if (!loader.take(line)) return FileStatus::Ok;
            break;
        }
    }
}

}  // namespace

FileStatus parseProblemFile(std::string_view bytes, ProblemBoxes& boxes) {
    TextSource source(bytes);
    return load(source, boxes);
}

FileStatus readProblemStream(std::FILE* stream, ProblemBoxes& boxes) {
    StreamSource source(stream);
    return load(source, boxes);
}

FileStatus readProblemFile(const std::string& path, ProblemBoxes& boxes) {
    std::error_code ec;
    // Opening a folder for reading succeeds here but not where the format
    // comes from; it is a file that cannot be opened, not a read error.
    if (path.empty() || std::filesystem::is_directory(path, ec)) return FileStatus::CannotOpenInput;
    std::FILE* stream = std::fopen(path.c_str(), "rb");
    if (stream == nullptr) return FileStatus::CannotOpenInput;
    FileStatus status = readProblemStream(stream, boxes);
    std::fclose(stream);
    return status;
}

FileStatus readRegularProblemFile(const std::string& path, ProblemBoxes& boxes) {
    std::error_code ec;
    // Follows links: a link to a puzzle file is a puzzle file.
    if (!std::filesystem::is_regular_file(path, ec)) return FileStatus::CannotOpenInput;
    return readProblemFile(path, boxes);
}

}  // namespace varnokit
