// Problem files: the bytes written for the five boxes, how the reader files
// each line, its limits, and saving and loading through real files.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "files/problem_file.h"
#include "platform/file_saving.h"
#include "files/scratch_folder.h"
#include "support/text.h"

namespace varnokit {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::ScratchFolder;
using testing::sjis;
using testing::writeBytes;

ProblemBoxes workedExample() {
    ProblemBoxes boxes;
    boxes.notes = {sjis("覆面算の例")};
    boxes.divisor = "12";
    boxes.quotient = "78";
    boxes.body = {"936", "84", " 96", " 96", "0"};
    boxes.condition = "5";
    return boxes;
}

void expectSameBoxes(const ProblemBoxes& actual, const ProblemBoxes& expected) {
    EXPECT_EQ(actual.notes, expected.notes);
    EXPECT_EQ(actual.divisor, expected.divisor);
    EXPECT_EQ(actual.quotient, expected.quotient);
    EXPECT_EQ(actual.body, expected.body);
    EXPECT_EQ(actual.condition, expected.condition);
}

ProblemBoxes parsed(const std::string& bytes, FileStatus expected = FileStatus::Ok) {
    ProblemBoxes boxes;
    EXPECT_EQ(parseProblemFile(bytes, boxes), expected);
    return boxes;
}

/* --- Writing --- */

TEST(ProblemFileFormat, WritesNotesBlockDataLinesAndConditionWithCrLf) {
    std::string bytes;
    ASSERT_EQ(formatProblemFile(workedExample(), bytes), FileStatus::Ok);
    EXPECT_EQ(bytes, "<!--comment\r\n" + sjis("覆面算の例") +
                         "\r\ncomment-->\r\n12\r\n78\r\n936\r\n84\r\n 96\r\n 96\r\n0\r\n"
                         "<!--JOUKEN=5\r\n");
}

TEST(ProblemFileFormat, NotesBlockOnlyWhenTheNotesBoxHasLines) {
    ProblemBoxes boxes;
    boxes.divisor = "7";
    boxes.quotient = "";
    std::string bytes;
    ASSERT_EQ(formatProblemFile(boxes, bytes), FileStatus::Ok);
    EXPECT_EQ(bytes, "7\r\n\r\n");  // an empty quotient box is still a line

    boxes.notes = {""};
    ASSERT_EQ(formatProblemFile(boxes, bytes), FileStatus::Ok);
    EXPECT_EQ(bytes, "<!--comment\r\n\r\ncomment-->\r\n7\r\n\r\n");
}

TEST(ProblemFileFormat, ConditionIsWrittenAsADecimalInteger) {
    const std::pair<const char*, const char*> cases[] = {
        {"7", "7"}, {"+5", "5"}, {"-3", "-3"}, {"007", "7"}, {"12", "12"},
        {"-2147483648", "-2147483648"}, {"2147483647", "2147483647"}};
    for (const auto& [typed, written] : cases) {
        ProblemBoxes boxes;
        boxes.condition = typed;
        std::string bytes;
        ASSERT_EQ(formatProblemFile(boxes, bytes), FileStatus::Ok) << typed;
        EXPECT_EQ(bytes, std::string("\r\n\r\n<!--JOUKEN=") + written + "\r\n") << typed;
    }
}

TEST(ProblemFileFormat, RefusesAConditionThatIsNotAnInteger) {
    for (std::string typed : {"x", " 7", "7 ", "-", "+", "3.5", "0x7", "2147483648",
                              "-2147483649", "99999999999999999999999"}) {
        ProblemBoxes boxes;
        boxes.condition = typed;
        std::string bytes = "untouched";
        EXPECT_EQ(formatProblemFile(boxes, bytes), FileStatus::BadCondition) << typed;
    }
    ProblemBoxes fullWidth;
    fullWidth.condition = sjis("７");
    std::string bytes;
    EXPECT_EQ(formatProblemFile(fullWidth, bytes), FileStatus::BadCondition);
}

/* --- Reading: how lines are filed --- */

TEST(ProblemFileParse, SavedBoxesLoadBackUnchanged) {
    ProblemBoxes boxes = workedExample();
    boxes.notes.push_back("");
    boxes.notes.push_back(sjis("ソ表示") + "#<!--JOUKEN=9");  // 0x5C trail byte, markers inside notes
    boxes.divisor = " 1A ";                                   // blanks are the parser's business
    boxes.condition = "7";
    std::string bytes;
    ASSERT_EQ(formatProblemFile(boxes, bytes), FileStatus::Ok);
    expectSameBoxes(parsed(bytes), boxes);
}

TEST(ProblemFileParse, DataLinesFillDivisorQuotientThenBody) {
    ProblemBoxes boxes = parsed("12\r\n78\r\n936\r\n84\r\n 96\r\n 96\r\n0\r\n");
    EXPECT_TRUE(boxes.notes.empty());
    EXPECT_EQ(boxes.divisor, "12");
    EXPECT_EQ(boxes.quotient, "78");
    EXPECT_EQ(boxes.body, (std::vector<std::string>{"936", "84", " 96", " 96", "0"}));
    EXPECT_EQ(boxes.condition, "");
}

TEST(ProblemFileParse, NotesAnywhereCollectInFileOrder) {
    ProblemBoxes boxes = parsed(
        "#first\r\n12\r\n<!--comment\r\nsecond\r\n\r\ncomment-->\r\n78\r\n\r\n936\r\n"
        "<!--comment\r\nthird\r\ncomment-->\r\n");
    EXPECT_EQ(boxes.notes, (std::vector<std::string>{"#first", "second", "", "", "third"}));
    EXPECT_EQ(boxes.divisor, "12");
    EXPECT_EQ(boxes.quotient, "78");
    EXPECT_EQ(boxes.body, (std::vector<std::string>{"936"}));
}

TEST(ProblemFileParse, MarkersMatchOnlyAsWholeLines) {
    // A notes line reading exactly "comment-->" closes the block early.
    ProblemBoxes early = parsed("<!--comment\r\nnote\r\ncomment-->\r\nlost note\r\ncomment-->\r\n5\r\n");
    EXPECT_EQ(early.notes, (std::vector<std::string>{"note"}));
    EXPECT_EQ(early.divisor, "lost note");
    EXPECT_EQ(early.quotient, "5");
    EXPECT_TRUE(early.body.empty());  // the second close marker is no data line

    ProblemBoxes near = parsed("<!--Comment\r\n <!--comment\r\n<!--comment \r\n");
    EXPECT_TRUE(near.notes.empty());
    EXPECT_EQ(near.divisor, "<!--Comment");
    EXPECT_EQ(near.quotient, " <!--comment");
    EXPECT_EQ(near.body, (std::vector<std::string>{"<!--comment "}));
}

TEST(ProblemFileParse, EmptyDivisorLineMovesEveryDataLineUp) {
    ProblemBoxes boxes;
    boxes.quotient = "78";
    boxes.body = {"936", "", "#x", "0"};
    std::string bytes;
    ASSERT_EQ(formatProblemFile(boxes, bytes), FileStatus::Ok);
    ProblemBoxes loaded = parsed(bytes);
    EXPECT_EQ(loaded.notes, (std::vector<std::string>{"", "", "#x"}));
    EXPECT_EQ(loaded.divisor, "78");
    EXPECT_EQ(loaded.quotient, "936");
    EXPECT_EQ(loaded.body, (std::vector<std::string>{"0"}));
}

TEST(ProblemFileParse, ConditionBoxTakesTheSingleByteAfterTheMarker) {
    EXPECT_EQ(parsed("<!--JOUKEN=7\r\n").condition, "7");
    EXPECT_EQ(parsed("<!--JOUKEN=12\r\n").condition, "1");
    EXPECT_EQ(parsed("<!--JOUKEN=-3\r\n").condition, "-");
    EXPECT_EQ(parsed("<!--JOUKEN=\r\n").condition, "");
    // The byte is taken at a fixed position, wherever the marker stands.
    EXPECT_EQ(parsed("ab<!--JOUKEN=4\r\n").condition, "N");
}

TEST(ProblemFileParse, ConditionLineIsADataLineThatEndsTheReading) {
    ProblemBoxes boxes = parsed(
        "12\r\n78\r\n936\r\n<!--JOUKEN=5\r\n<!--comment\r\nafter\r\ncomment-->\r\n99\r\n");
    EXPECT_EQ(boxes.condition, "5");
    EXPECT_TRUE(boxes.notes.empty());
    EXPECT_EQ(boxes.body, (std::vector<std::string>{"936"}));

    // Inside a notes block or behind '#' it is only a note.
    ProblemBoxes notes = parsed("<!--comment\r\n<!--JOUKEN=5\r\ncomment-->\r\n#<!--JOUKEN=6\r\n12\r\n");
    EXPECT_EQ(notes.condition, "");
    EXPECT_EQ(notes.notes, (std::vector<std::string>{"<!--JOUKEN=5", "#<!--JOUKEN=6"}));
    EXPECT_EQ(notes.divisor, "12");
}

TEST(ProblemFileParse, LineEndsAndCtrlZ) {
    // No line end after the last line; LF alone also ends a line; a lone CR is data.
    ProblemBoxes boxes = parsed("12\n78\r\n9\r6\r\n0");
    EXPECT_EQ(boxes.divisor, "12");
    EXPECT_EQ(boxes.quotient, "78");
    EXPECT_EQ(boxes.body, (std::vector<std::string>{"9\r6", "0"}));

    // Ctrl-Z ends the file, also in the middle of a line.
    ProblemBoxes cut = parsed("12\r\n7\x1a" "8\r\n936\r\n");
    EXPECT_EQ(cut.divisor, "12");
    EXPECT_EQ(cut.quotient, "7");
    EXPECT_TRUE(cut.body.empty());

    ProblemBoxes empty = parsed("");
    expectSameBoxes(empty, ProblemBoxes{});
}

TEST(ProblemFileParse, LinesUpTo126BytesOnly) {
    const std::string longest(126, '9');
    EXPECT_EQ(parsed(longest + "\r\n").divisor, longest);
    EXPECT_EQ(parsed(longest).divisor, longest);
    EXPECT_EQ(parsed(longest + "\n").divisor, longest);

    ProblemBoxes partial = parsed("#note\r\n12\r\n" + longest + "7\r\n936\r\n", FileStatus::LineTooLong);
    EXPECT_EQ(partial.notes, (std::vector<std::string>{"#note"}));
    EXPECT_EQ(partial.divisor, "12");
    EXPECT_EQ(partial.quotient, "");  // the long line and everything after it are not loaded
    EXPECT_TRUE(partial.body.empty());

    parsed(longest + "7", FileStatus::LineTooLong);
    parsed(longest + "\r\r\n", FileStatus::LineTooLong);
}

TEST(ProblemFileParse, TenThousandLinesAtMost) {
    std::string bytes;
    for (int i = 0; i < kMaxProblemFileLines; ++i) bytes += "#\r\n";
    EXPECT_EQ(parsed(bytes).notes.size(), static_cast<std::size_t>(kMaxProblemFileLines));
    // One more line, even a marker that keeps nothing, is one too many.
    ProblemBoxes partial = parsed(bytes + "<!--comment\r\n", FileStatus::TooManyLines);
    EXPECT_EQ(partial.notes.size(), static_cast<std::size_t>(kMaxProblemFileLines));
    EXPECT_EQ(fileStatusMessage(FileStatus::TooManyLines), sjis("入力ファイルの行が多すぎます"));
}

/* --- Encodings --- */

TEST(ProblemFileEncoding, ByteOrderMarkMeansUtf8AndHidesNoMarker) {
    // The mark used to glue itself to the first line, so "<!--comment" was not seen.
    const ProblemBoxes boxes = parsed("\xEF\xBB\xBF<!--comment\nメモ\ncomment-->\n12\n78\n936\n");
    EXPECT_EQ(boxes.encoding, TextEncoding::Utf8);
    EXPECT_EQ(boxes.notes, std::vector<std::string>{"メモ"});
    EXPECT_EQ(boxes.divisor, "12");
    EXPECT_EQ(boxes.body, std::vector<std::string>{"936"});
    // An ASCII file with a mark is UTF-8 too, and the mark is not part of the divisor.
    EXPECT_EQ(parsed("\xEF\xBB\xBF" "12\r\n").divisor, "12");
    EXPECT_EQ(parsed("\xEF\xBB\xBF" "12\r\n").encoding, TextEncoding::Utf8);
}

TEST(ProblemFileEncoding, FirstLineBeyondAsciiDecides) {
    const ProblemBoxes utf8 = parsed("12\n78\nアイウ\n 8*\n<!--JOUKEN=3\n");
    EXPECT_EQ(utf8.encoding, TextEncoding::Utf8);
    EXPECT_EQ(utf8.body, (std::vector<std::string>{"アイウ", " 8*"}));
    EXPECT_EQ(utf8.condition, "3");

    const ProblemBoxes cp932 = parsed("12\r\n78\r\n" + sjis("アイウ") + "\r\n");
    EXPECT_EQ(cp932.encoding, TextEncoding::Cp932);
    EXPECT_EQ(cp932.body, std::vector<std::string>{sjis("アイウ")});
    EXPECT_EQ(parsed("12\r\n78\r\n").encoding, TextEncoding::Cp932);  // plain ASCII

    // cp932 lines that happen to be well-formed UTF-8 decode to characters no
    // Japanese text holds (ý, 㣃), so they stay cp932.
    for (const std::string& line : {sjis("ﾃｽ"), sjis("罐ア")}) {
        const ProblemBoxes tricky = parsed("#" + line + "\r\n12\r\n");
        EXPECT_EQ(tricky.encoding, TextEncoding::Cp932) << testing::utf8(line);
        EXPECT_EQ(tricky.notes, std::vector<std::string>{"#" + line});
    }
    // Once decided, the encoding holds for the whole file.
    EXPECT_EQ(parsed(sjis("#注") + "\r\n#メモ\r\n").encoding, TextEncoding::Cp932);
    EXPECT_EQ(parsed("#メモ\r\n" + sjis("#注") + "\r\n").encoding, TextEncoding::Utf8);
}

TEST(ProblemFileEncoding, LineLimitCountsCp932Bytes) {
    // 63 kanji are 126 cp932 bytes (189 in UTF-8); 126 half-width katakana
    // are 126 bytes (378 in UTF-8).
    std::string kanji, katakana;
    for (int i = 0; i < 63; ++i) kanji += "漢";
    for (int i = 0; i < 126; ++i) katakana += "ｱ";
    EXPECT_EQ(parsed("#" + kanji.substr(3) + "x\n").notes.size(), 1u);
    EXPECT_EQ(parsed(kanji + "\n").divisor, kanji);
    EXPECT_EQ(parsed(katakana + "\n").divisor, katakana);
    parsed(kanji + "漢\n", FileStatus::LineTooLong);
    parsed(katakana + "ｱ\n", FileStatus::LineTooLong);
    EXPECT_EQ(cp932Length("漢ｱa", TextEncoding::Utf8), 4u);
    EXPECT_EQ(cp932Length("漢ｱa", TextEncoding::Cp932), 7u);
    // A line endless without a line end still stops after a bounded read.
    parsed(std::string(100000, 'x'), FileStatus::LineTooLong);
}

TEST(ProblemFileEncoding, WellFormedUtf8Only) {
    EXPECT_TRUE(isWellFormedUtf8("abc アイ 😀"));
    for (const char* bad : {"\xC3", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "a\xFF" "b", "\x80"})
        EXPECT_FALSE(isWellFormedUtf8(bad)) << bad;
    EXPECT_FALSE(looksLikeUtf8("plain ascii"));
    EXPECT_TRUE(looksLikeUtf8("絵文字 😀"));
}

/* --- Files on disk --- */

TEST(ProblemFileDisk, SaveThenLoadReplacesTheFileAndLeavesNoTemporary) {
    ScratchFolder folder;
    const std::string path = folder.file("puzzle.txt");
    writeBytes(path, "old content that is longer than the new one\r\n");
    ProblemBoxes boxes = workedExample();
    ASSERT_EQ(writeProblemFile(path, boxes), FileStatus::Ok);
    ProblemBoxes loaded;
    ASSERT_EQ(readProblemFile(path, loaded), FileStatus::Ok);
    expectSameBoxes(loaded, boxes);
    EXPECT_EQ(folder.entryCount(), 1);

    const std::string fresh = folder.file("fresh.txt");
    ASSERT_EQ(writeProblemFile(fresh, boxes), FileStatus::Ok);
    EXPECT_EQ(readBytes(fresh), readBytes(path));
    EXPECT_EQ(folder.entryCount(), 2);
}

TEST(ProblemFileDisk, BadConditionLeavesTheOldFileAlone) {
    ScratchFolder folder;
    const std::string path = folder.file("puzzle.txt");
    writeBytes(path, "12\r\n");
    ProblemBoxes boxes = workedExample();
    boxes.condition = "x";
    EXPECT_EQ(writeProblemFile(path, boxes), FileStatus::BadCondition);
    EXPECT_EQ(readBytes(path), "12\r\n");
    EXPECT_FALSE(fs::exists(folder.file("new.txt")));
    EXPECT_EQ(writeProblemFile(folder.file("new.txt"), boxes), FileStatus::BadCondition);
    EXPECT_FALSE(fs::exists(folder.file("new.txt")));
    EXPECT_EQ(folder.entryCount(), 1);
}

TEST(ProblemFileDisk, UnopenableTargetsGiveTheFixedMessages) {
    ScratchFolder folder;
    ProblemBoxes boxes;
    EXPECT_EQ(writeProblemFile(folder.path().string(), boxes), FileStatus::CannotOpenOutput);
    EXPECT_EQ(writeProblemFile(folder.file("missing/puzzle.txt"), boxes), FileStatus::CannotOpenOutput);
    EXPECT_EQ(writeProblemFile("", boxes), FileStatus::CannotOpenOutput);
    EXPECT_EQ(readProblemFile(folder.path().string(), boxes), FileStatus::CannotOpenInput);
    EXPECT_EQ(readProblemFile(folder.file("missing.txt"), boxes), FileStatus::CannotOpenInput);
    EXPECT_EQ(fileStatusMessage(FileStatus::CannotOpenOutput), sjis("出力ファイルが開けません"));
    EXPECT_EQ(fileStatusMessage(FileStatus::CannotOpenInput), sjis("入力ファイルを開けません"));
    EXPECT_EQ(fileStatusMessage(FileStatus::ReadError), sjis("入力ファイルを読めません"));
    EXPECT_EQ(fileStatusMessage(FileStatus::LineTooLong), sjis("入力ファイルの行が長すぎます"));
}

TEST(ProblemFileDisk, AStreamThatFailsToReadIsAReadError) {
    ScratchFolder folder;
    // A folder opens as a stream here but every read from it fails.
    std::FILE* stream = std::fopen(folder.path().c_str(), "rb");
    ASSERT_NE(stream, nullptr);
    ProblemBoxes boxes = workedExample();
    EXPECT_EQ(readProblemStream(stream, boxes), FileStatus::ReadError);
    std::fclose(stream);
    expectSameBoxes(boxes, ProblemBoxes{});
}

TEST(ProblemFileDisk, EndlessDeviceStopsAtTheLineLimit) {
    ProblemBoxes boxes;
    EXPECT_EQ(readProblemFile("/dev/zero", boxes), FileStatus::LineTooLong);
}

TEST(ProblemFileDisk, FifoIsReadOnlyUpToTheConditionLine) {
    ScratchFolder folder;
    const std::string path = folder.file("pipe");
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    // The writer keeps the pipe open after the condition line: a reader that
    // waited for the end of the stream would hang until the writer gives up.
    std::atomic<bool> readerDone{false};
    std::thread writer([&path, &readerDone] {
        std::FILE* pipe = std::fopen(path.c_str(), "wb");
        if (pipe == nullptr) return;
        std::fputs("12\r\n78\r\n<!--JOUKEN=3\r\n", pipe);
        std::fflush(pipe);
        auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (!readerDone && std::chrono::steady_clock::now() < giveUp) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::fclose(pipe);
    });
    auto start = std::chrono::steady_clock::now();
    ProblemBoxes boxes;
    EXPECT_EQ(readProblemFile(path, boxes), FileStatus::Ok);
    auto waited = std::chrono::steady_clock::now() - start;
    readerDone = true;
    writer.join();
    EXPECT_LT(waited, std::chrono::seconds(2));
    EXPECT_EQ(boxes.divisor, "12");
    EXPECT_EQ(boxes.condition, "3");
}

TEST(ProblemFileDisk, FifoTargetIsWrittenInPlace) {
    ScratchFolder folder;
    const std::string path = folder.file("pipe");
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&path, &received] { received = readBytes(path); });
    ProblemBoxes boxes;
    boxes.divisor = "12";
    boxes.quotient = "78";
    EXPECT_EQ(writeProblemFile(path, boxes), FileStatus::Ok);
    reader.join();
    EXPECT_EQ(received, "12\r\n78\r\n");
    EXPECT_TRUE(fs::is_fifo(path));
    EXPECT_EQ(folder.entryCount(), 1);
}

TEST(ProblemFileDisk, FullDeviceIsAWriteErrorAndStaysADevice) {
    ProblemBoxes boxes = workedExample();
    EXPECT_EQ(writeProblemFile("/dev/full", boxes), FileStatus::WriteError);
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

TEST(ProblemFileDisk, LinkKeepsPointingAtTheSavedFileAndItsModeIsKept) {
    ScratchFolder folder;
    const std::string real = folder.file("real.txt");
    const std::string link = folder.file("link.txt");
    writeBytes(real, "old\r\n");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink(real, link);
    ASSERT_EQ(writeProblemFile(link, workedExample()), FileStatus::Ok);
    EXPECT_TRUE(fs::is_symlink(link));
    ProblemBoxes loaded;
    ASSERT_EQ(readProblemFile(real, loaded), FileStatus::Ok);
    expectSameBoxes(loaded, workedExample());
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(folder.entryCount(), 2);
}

TEST(ProblemFileDisk, ReadOnlyFileOrFolderIsNotReplaced) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    ScratchFolder folder;
    const std::string path = folder.file("locked.txt");
    writeBytes(path, "old\r\n");
    fs::permissions(path, fs::perms::owner_read);
    EXPECT_EQ(writeProblemFile(path, workedExample()), FileStatus::CannotOpenOutput);
    EXPECT_EQ(readBytes(path), "old\r\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(writeProblemFile(path, workedExample()), FileStatus::CannotOpenOutput);
    EXPECT_EQ(readBytes(path), "old\r\n");
}

TEST(ProblemFileDisk, BundledPuzzleFilesLoadAndSaveBackByteForByte) {
    int checked = 0;
    for (const char* folder : {VARNOKIT_PUZZLE_DIR, VARNOKIT_PUZZLE_DIR "/wide", VARNOKIT_BENCH_PUZZLE_DIR}) {
        const fs::path dir = folder;
        if (!fs::is_directory(dir)) continue;
        for (const auto& entry : fs::directory_iterator(dir)) {
            if (entry.path().extension() != ".txt") continue;
            ProblemBoxes boxes;
            ASSERT_EQ(readProblemFile(entry.path().string(), boxes), FileStatus::Ok) << entry.path();
            EXPECT_FALSE(boxes.body.empty()) << entry.path();
            std::string bytes;
            ASSERT_EQ(formatProblemFile(boxes, bytes), FileStatus::Ok) << entry.path();
            EXPECT_EQ(bytes, readBytes(entry.path().string())) << entry.path();
            ++checked;
        }
    }
    EXPECT_GT(checked, 0);
}

}  // namespace
}  // namespace varnokit
