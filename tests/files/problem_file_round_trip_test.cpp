// Saving never writes a problem file that loads back different: every notes
// text (and every over-long or broken data line) is either saved so that it
// loads back exactly, or refused with a message naming the box and line.
#include <gtest/gtest.h>

#include <random>

#include "files/problem_file.h"
#include "support/text.h"

namespace varnokit {
namespace {

using testing::sjis;

ProblemBoxes puzzleWithNotes(std::vector<std::string> notes) {
    ProblemBoxes boxes;
    boxes.notes = std::move(notes);
    boxes.divisor = "12";
    boxes.quotient = "78";
    boxes.body = {"936", "84", " 96", " 96", "0"};
    boxes.condition = "5";
    return boxes;
}

// Pieces that notes lines are made of: the markers whole and in part,
// what the reader treats specially elsewhere, line-end bytes, cp932 text,
// bytes that are not cp932, and lengths around the reader's limit.
const std::vector<std::string> kPieces = {
    "", "#", " ", "comment-->", "<!--comment", "comment--", "<!--", "-->", "<!--JOUKEN=", "<!--JOUKEN=7",
    "\r", "\n", std::string(1, '\x1a'), std::string(1, '\0'), "\x82\xa0", "\x81", "\xff", "x",
    std::string(60, 'n'), std::string(126, 'm'), std::string(125, 'k'),
};

// True when saving the boxes is refused with a reason, or when the saved
// bytes load back into exactly the same boxes.
::testing::AssertionResult savesExactlyOrIsRefused(const ProblemBoxes& boxes) {
    std::string bytes;
    const FileStatus status = formatProblemFile(boxes, bytes);
    const std::string reason = reasonNotLoadableBack(boxes);
    if (status == FileStatus::WouldNotLoadBack) {
        if (reason.empty()) return ::testing::AssertionFailure() << "refused without a reason";
        return ::testing::AssertionSuccess();
    }
    if (status != FileStatus::Ok || !reason.empty())
        return ::testing::AssertionFailure() << "status and reason disagree: " << testing::utf8(reason);
    ProblemBoxes loaded;
    if (parseProblemFile(bytes, loaded) != FileStatus::Ok) return ::testing::AssertionFailure() << "saved but unreadable";
    if (loaded.notes != boxes.notes || loaded.divisor != boxes.divisor || loaded.quotient != boxes.quotient ||
        loaded.body != boxes.body || loaded.condition != boxes.condition)
        return ::testing::AssertionFailure() << "saved but loads back different";
    return ::testing::AssertionSuccess();
}

TEST(ProblemFileRoundTrip, EveryNotesTextSavesExactlyOrIsRefused) {
    std::mt19937 random(13);
    int saved = 0, refused = 0;
    // Every one- and two-piece line alone, then random notes of up to five
    // lines of up to three pieces.
    std::vector<std::vector<std::string>> cases;
    for (const std::string& a : kPieces)
        for (const std::string& b : kPieces) cases.push_back({a + b});
    for (int round = 0; round < 20000; ++round) {
        std::vector<std::string> notes(random() % 6);
        for (std::string& line : notes)
            for (unsigned piece = random() % 4; piece > 0; --piece) line += kPieces[random() % kPieces.size()];
        cases.push_back(std::move(notes));
    }
    for (const std::vector<std::string>& notes : cases) {
        const ProblemBoxes boxes = puzzleWithNotes(notes);
        ASSERT_TRUE(savesExactlyOrIsRefused(boxes)) << ::testing::PrintToString(notes);
        (reasonNotLoadableBack(boxes).empty() ? saved : refused) += 1;
    }
    // Both outcomes are common: the test says something about each.
    EXPECT_GT(saved, 5000);
    EXPECT_GT(refused, 5000);
}

TEST(ProblemFileRoundTrip, MarkerLinesInTheNotesAreRefusedByName) {
    // "comment-->" as a notes line once closed the block early on loading,
    // and the lines after it became the divisor and quotient.
    EXPECT_EQ(reasonNotLoadableBack(puzzleWithNotes({"first", "comment-->", "last"})),
              sjis("注釈の2行目は「comment-->」だけの行で、保存すると読み戻せません。"));
    EXPECT_EQ(reasonNotLoadableBack(puzzleWithNotes({"<!--comment"})),
              sjis("注釈の1行目は「<!--comment」だけの行で、保存すると読み戻せません。"));
    std::string bytes;
    EXPECT_EQ(formatProblemFile(puzzleWithNotes({"comment-->"}), bytes), FileStatus::WouldNotLoadBack);
    EXPECT_TRUE(bytes.empty());
    // The markers inside a longer line are ordinary text and come back.
    EXPECT_TRUE(savesExactlyOrIsRefused(puzzleWithNotes({" comment-->", "<!--comment!", "#comment-->"})));
    EXPECT_TRUE(reasonNotLoadableBack(puzzleWithNotes({" comment-->", "<!--comment!"})).empty());
}

TEST(ProblemFileRoundTrip, LongAndBrokenLinesInAnyBoxAreRefusedByName) {
    ProblemBoxes boxes = puzzleWithNotes({});
    boxes.divisor = std::string(127, '1');
    EXPECT_EQ(reasonNotLoadableBack(boxes), sjis("除数が126バイトを超えていて、保存すると読み戻せません。"));
    boxes.divisor = std::string(126, '1');  // the longest line the reader takes
    EXPECT_TRUE(savesExactlyOrIsRefused(boxes));
    EXPECT_TRUE(reasonNotLoadableBack(boxes).empty());

    boxes.body[2] = std::string(" 9\x1a" "6");
    EXPECT_EQ(reasonNotLoadableBack(boxes), sjis("問題の3行目に改行かCtrl-Zの文字があり、保存すると読み戻せません。"));
    boxes.body[2] = " 96";
    boxes.quotient = "7\n8";
    EXPECT_EQ(reasonNotLoadableBack(boxes), sjis("商に改行かCtrl-Zの文字があり、保存すると読み戻せません。"));
    boxes.quotient = "78";
    boxes.notes = {"ok", std::string(127, 'n')};
    EXPECT_EQ(reasonNotLoadableBack(boxes), sjis("注釈の2行目が126バイトを超えていて、保存すると読み戻せません。"));
}

}  // namespace
}  // namespace varnokit
