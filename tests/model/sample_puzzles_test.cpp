// Every shared puzzle file passes all checks, and what the parser and the
// pre-deduction leave in the WorkRecord agrees with the puzzle's known
// first solution: each forced digit is right and each letter stands for one
// digit throughout.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "check_steps.h"

namespace varnokit {
namespace {

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The boxes of a problem file: divisor, quotient, body, condition line.
// Notes blocks and empty lines are skipped.
PuzzleInput readProblem(const std::string& bytes) {
    PuzzleInput input;
    std::vector<std::string> data;
    bool inNotes = false;
    std::istringstream lines(bytes);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line == "<!--comment") inNotes = true;
        else if (line == "comment-->") inNotes = false;
        else if (inNotes || line.empty()) continue;
        else if (line.rfind("<!--JOUKEN=", 0) == 0) {
            input.condition = line.substr(11, 1);
            break;
        } else data.push_back(line);
    }
    if (data.size() >= 2) {
        input.divisor = data[0];
        input.quotient = data[1];
        input.bodyLines.assign(data.begin() + 2, data.end());
    }
    return input;
}

// The strings of the first solution in a NAME.json: divisor, quotient,
// dividend and the written rows.
struct Answer {
    std::string divisor, quotient, dividend;
    std::vector<std::string> rows;
};

std::string stringAfter(const std::string& json, const std::string& key, std::size_t& pos) {
    pos = json.find("\"" + key + "\"", pos);
    std::size_t open = json.find('"', json.find(':', pos) + 1);
    std::size_t close = json.find('"', open + 1);
    return json.substr(open + 1, close - open - 1);
}

Answer readAnswer(const std::string& json) {
    Answer a;
    std::size_t pos = json.find("\"solutions\"");
    std::size_t start = pos;
    a.divisor = stringAfter(json, "divisor", pos = start);
    a.quotient = stringAfter(json, "quotient", pos = start);
    a.dividend = stringAfter(json, "dividend", pos = start);
    pos = json.find("\"rows\"", start);
    std::size_t end = json.find(']', pos);
    for (std::size_t open = json.find('"', json.find('[', pos)); open < end; open = json.find('"', open + 1)) {
        std::size_t close = json.find('"', open + 1);
        a.rows.push_back(json.substr(open + 1, close - open - 1));
        open = close;
    }
    return a;
}

class SamplePuzzle : public ::testing::TestWithParam<std::string> {};

// Checks pattern cells against the answer's digits; letters must map to
// one digit each, consistent with the bindings already made.
void expectAgrees(const PuzzleState& state, const std::string& pattern, const std::string& digits,
                  std::map<char, char>& letterDigits, const std::string& what) {
    ASSERT_EQ(pattern.size(), digits.size()) << what << ": " << pattern << " vs " << digits;
    for (std::size_t j = 0; j < pattern.size(); ++j) {
        char cell = pattern[j];
        if (cell >= '0' && cell <= '9') {
            EXPECT_EQ(cell, digits[j]) << what << " cell " << j;
        } else if (cell >= 'A' && cell <= 'J') {
            auto [it, added] = letterDigits.emplace(cell, digits[j]);
            EXPECT_EQ(it->second, digits[j]) << what << " letter " << cell;
            int bound = state.letters.letter[cell - 'A'];
            if (bound >= 0) {
                EXPECT_EQ(bound, digits[j] - '0') << what << " bound letter " << cell;
            }
        } else {
            EXPECT_EQ(cell, '*') << what << " cell " << j;
        }
    }
}

TEST_P(SamplePuzzle, PassesChecksAndAgreesWithKnownAnswer) {
    const std::string base = std::string(VARNOKIT_SHARED_DIR "/") + GetParam();
    PuzzleInput input = readProblem(readFile(base + ".txt"));
    const std::string json = readFile(base + ".json");

    PuzzleState state;
    ASSERT_EQ(testing::runChecks(state, input), testing::Step::Done) << testing::utf8(state.pending);
    if (json.find("\"count\": 0") != std::string::npos) return;  // no answer to compare with
    Answer answer = readAnswer(json);
    ASSERT_FALSE(answer.rows.empty());
    const int q = state.work.rows[kQuotientRow].length;
    std::map<char, char> letterDigits;
    expectAgrees(state, state.work.rows[kDivisorRow].text, answer.divisor, letterDigits, "divisor");
    expectAgrees(state, state.work.rows[kQuotientRow].text, answer.quotient, letterDigits, "quotient");
    expectAgrees(state, state.work.rows[kDividendRow].text, answer.dividend, letterDigits, "dividend");

    // The written rows are the non-empty interior rows in solver order, and
    // an empty pair stands exactly for each quotient digit 0.
    std::size_t written = 0;
    for (int r = kFirstInteriorRow; r < kFirstInteriorRow + 2 * q - 1; ++r) {
        const WorkRow& row = state.work.rows[r];
        if (row.length == 0) {
            int k = (r - 3) / 2;  // P_k in row 4 + 2k, R_k in row 3 + 2k
            EXPECT_EQ(answer.quotient[static_cast<std::size_t>(k)], '0') << "empty row " << r;
            continue;
        }
        ASSERT_LT(written, answer.rows.size());
        expectAgrees(state, row.text, answer.rows[written], letterDigits, "row " + std::to_string(r));
        ++written;
    }
    EXPECT_EQ(written, answer.rows.size());
    for (int r = kFirstInteriorRow + 2 * q - 1; r < kRowCount; ++r) EXPECT_EQ(state.work.rows[r].length, 0);

    std::map<char, char> digitLetters;
    for (auto [letter, digit] : letterDigits)
        EXPECT_TRUE(digitLetters.emplace(digit, letter).second) << "two letters for digit " << digit;
}

std::vector<std::string> samplePuzzleNames() {
    std::vector<std::string> names;
    for (const std::string folder : {"puzzles", "bench"}) {
        std::filesystem::path dir = std::string(VARNOKIT_SHARED_DIR "/") + folder;
        if (!std::filesystem::exists(dir)) continue;
        for (const auto& entry : std::filesystem::directory_iterator(dir))
            if (entry.path().extension() == ".txt") names.push_back(folder + "/" + entry.path().stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Test names may hold letters, digits and '_' only.
std::string testName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name;
    for (char c : info.param) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Shared, SamplePuzzle, ::testing::ValuesIn(samplePuzzleNames()), testName);

}  // namespace
}  // namespace varnokit
