// The solver's fixed texts for the result log, as cp932 bytes.
#pragma once

namespace varnokit {

// --- Propagation ---
inline constexpr char kContradictionMessage[] =
    "\x96\xe2\x91\xe8\x82\xc9\x96\xb5\x8f\x82\x81" "B";  // 問題に矛盾。

// --- Search ---
inline constexpr char kAbortedMessage[] =
    "\x92\x86\x8e~\x82\xb3\x82\xea\x82\xdc\x82\xb5\x82\xbd\x81I";  // 中止されました！
// The line logged when the solution list is full: prefix, the limit, suffix.
inline constexpr char kSolutionLimitPrefix[] =
    "\x8bL\x89\xaf\x82\xc5\x82\xab\x82\xe9\x89\xf0\x82\xcc\x90\x94\x82\xcc\x8f\xe3\x8c\xc0\x81i";  // 記憶できる解の数の上限（
inline constexpr char kSolutionLimitSuffix[] =
    "\x8c\xc2\x81j\x82\xc9\x92" "B\x82\xb5\x82\xbd\x82\xbd\x82\xdf\x81" "A\x92T\x8d\xf5\x82\xf0\x91\xc5\x82\xbf\x90\xd8\x82\xe8\x82\xdc\x82\xb5\x82\xbd\x81" "B";  // 個）に達したため、探索を打ち切りました。
inline constexpr char kOutOfMemoryMessage[] =
    "\x8bL\x89\xaf\x97\xcc\x88\xe6\x82\xaa\x91\xab\x82\xe8\x82\xc8\x82\xad\x82\xc8\x82\xc1\x82\xbd\x82\xbd\x82\xdf\x81"
    "A\x92T\x8d\xf5\x82\xf0\x91\xc5\x82\xbf\x90\xd8\x82\xe8\x82\xdc\x82\xb5\x82\xbd\x81" "B";  // 記憶領域が足りなくなったため、探索を打ち切りました。
// The line logged when the number of solutions asked for is reached: prefix,
// the number, then kSolutionLimitSuffix.
inline constexpr char kEnoughSolutionsPrefix[] =
    "\x8ew\x92\xe8\x82\xb3\x82\xea\x82\xbd\x89\xf0\x82\xcc\x90\x94\x81i";  // 指定された解の数（

// --- Summary ---
inline constexpr char kNoSolutionMessage[] =
    "\x89\xf0\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81" "B";  // 解はありません。
inline constexpr char kUniqueSolutionMessage[] =
    "\x88\xea\x88\xd3\x89\xf0\x82\xc5\x82\xb7\x81" "B";  // 一意解です。
inline constexpr char kSolutionsSuffix[] =
    "\x8c\xc2\x82\xcc\x89\xf0\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb7\x81" "B";  // 個の解があります。
inline constexpr char kElapsedPrefix[] = "  \x8f\x8a\x97v\x8e\x9e\x8a\xd4: ";  // "  所要時間: "
inline constexpr char kSecondsSuffix[] = "\x95" "b";  // 秒
inline constexpr char kStartedSuffix[] = " started";

// --- Clock ---
inline constexpr char kClockUnavailableMessage[] =
    "\x83N\x83\x8d\x83" "b\x83N\x91\xaa\x92\xe8\x95s\x94\x5c";  // クロック測定不能

}  // namespace varnokit
