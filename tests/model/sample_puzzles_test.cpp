// Every bundled puzzle file passes all checks, and what the parser and the
// pre-deduction leave in the WorkRecord agrees with the puzzle's known first
// solution: rows in solver order, each forced digit right, each letter one
// digit throughout.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "check_steps.h"
#include "files/problem_file.h"

namespace varnokit {
namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The quoted strings of the first solution in NAME.json, in file order:
// divisor, quotient, dividend, remainder, then the written rows.
std::vector<std::string> firstAnswer(const std::string& json) {
    std::vector<std::string> values;
    std::size_t pos = json.find('{', json.find("\"solutions\""));
    const std::size_t end = json.find('}', pos);
    for (std::size_t open; (open = json.find('"', pos)) < end; pos = json.find('"', open + 1) + 1) {
        const std::size_t close = json.find('"', open + 1);
        if (json[json.find_first_not_of(" \t\r\n", close + 1)] != ':')  // a value, not a key
            values.push_back(json.substr(open + 1, close - open - 1));
    }
    return values;
}

class SamplePuzzle : public ::testing::TestWithParam<std::string> {};

TEST_P(SamplePuzzle, PassesChecksAndAgreesWithKnownAnswer) {
    const std::string& name = GetParam();
    const std::size_t slash = name.find('/');
    const std::string label = name.substr(0, slash);
    const std::string base = std::string(label == "bench" ? VARNOKIT_BENCH_PUZZLE_DIR : VARNOKIT_PUZZLE_DIR) +
                             (label == "wide" ? "/wide" : "") + name.substr(slash);
    ProblemBoxes boxes;
    ASSERT_EQ(parseProblemFile(readFile(base + ".txt"), boxes), FileStatus::Ok);
    PuzzleState state;
    ASSERT_EQ(testing::runChecks(state, PuzzleInput{boxes.divisor, boxes.quotient, boxes.body, boxes.condition}),
              testing::Step::Done)
        << testing::utf8(state.pending);
    const std::string json = readFile(base + ".json");
    if (json.find("\"count\": 0") != std::string::npos) return;  // no answer to compare with
    const std::vector<std::string> answer = firstAnswer(json);
    ASSERT_GE(answer.size(), 5u);
    const std::string& quotient = answer[1];

    // Patterns beside their answers: divisor, quotient, dividend, then the
    // non-empty interior rows in solver order, which are the written rows.
    std::vector<std::pair<std::string, std::string>> rows = {
        {state.work.rows[kDivisorRow].text, answer[0]},
        {state.work.rows[kQuotientRow].text, quotient},
        {state.work.rows[kDividendRow].text, answer[2]}};
    // A remainder with hidden cells is a pattern like the others.
    if (remainderIsOpen(state.problem)) rows.emplace_back(state.work.rows[kRemainderRow].text, answer[3]);
    std::size_t written = 4;
    for (int r = kFirstInteriorRow; r < kRowCount; ++r) {
        const WorkRow& row = state.work.rows[r];
        const std::size_t k = static_cast<std::size_t>((r - 3) / 2);  // P_k in row 4 + 2k, R_k in 3 + 2k
        if (k >= quotient.size()) {
            EXPECT_EQ(row.length, 0) << "row " << r << " past the interior rows";
        } else if (row.length == 0) {
            EXPECT_EQ(quotient[k], '0') << "empty row " << r;
        } else if (written < answer.size()) {
            rows.emplace_back(row.text, answer[written++]);
        }
    }
    EXPECT_EQ(written, answer.size());

    std::map<char, char> letterDigits, digitLetters;
    for (const auto& [pattern, digits] : rows) {
        ASSERT_EQ(pattern.size(), digits.size()) << pattern << " / " << digits;
        for (std::size_t j = 0; j < pattern.size(); ++j) {
            const char cell = pattern[j], digit = digits[j];
            if (cell >= 'A' && cell <= 'J') {
                EXPECT_EQ(letterDigits.emplace(cell, digit).first->second, digit) << pattern << " / " << digits;
                EXPECT_EQ(digitLetters.emplace(digit, cell).first->second, cell) << "two letters for " << digit;
                const int bound = state.letters.letter[cell - 'A'];
                EXPECT_TRUE(bound < 0 || bound == digit - '0') << "letter " << cell << " bound to " << bound;
            } else if (cell != '*') {
                EXPECT_EQ(cell, digit) << pattern << " / " << digits;
            }
        }
    }
}

std::vector<std::string> samplePuzzleNames() {
    std::vector<std::string> names;
    const std::pair<std::string, std::string> folders[] = {{"puzzles", VARNOKIT_PUZZLE_DIR},
                                                            {"wide", VARNOKIT_PUZZLE_DIR "/wide"},
                                                            {"bench", VARNOKIT_BENCH_PUZZLE_DIR}};
    for (const auto& [label, dir] : folders) {
        for (const auto& entry : std::filesystem::directory_iterator(dir))
            if (entry.path().extension() == ".txt") names.push_back(label + "/" + entry.path().stem().string());
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

INSTANTIATE_TEST_SUITE_P(Bundled, SamplePuzzle, ::testing::ValuesIn(samplePuzzleNames()), testName);

}  // namespace
}  // namespace varnokit
