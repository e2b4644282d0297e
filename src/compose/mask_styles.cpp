// The three sets of masking characters, as cp932 bytes.
#include "compose/mask_styles.h"

#include <algorithm>
#include <string_view>

namespace varnokit::compose {
namespace {

// ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ
constexpr std::string_view kLetters =
    "\x82\x60\x82\x61\x82\x62\x82\x63\x82\x64\x82\x65\x82\x66\x82\x67\x82\x68\x82\x69\x82\x6a\x82\x6b\x82\x6c"
    "\x82\x6d\x82\x6e\x82\x6f\x82\x70\x82\x71\x82\x72\x82\x73\x82\x74\x82\x75\x82\x76\x82\x77\x82\x78\x82\x79";

// アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン
constexpr std::string_view kKatakana =
    "\x83\x41\x83\x43\x83\x45\x83\x47\x83\x49\x83\x4a\x83\x4c\x83\x4e\x83\x50\x83\x52\x83\x54\x83\x56\x83\x58"
    "\x83\x5a\x83\x5c\x83\x5e\x83\x60\x83\x63\x83\x65\x83\x67\x83\x69\x83\x6a\x83\x6b\x83\x6c\x83\x6d\x83\x6e"
    "\x83\x71\x83\x74\x83\x77\x83\x7a\x83\x7d\x83\x7e\x83\x80\x83\x81\x83\x82\x83\x84\x83\x86\x83\x88\x83\x89"
    "\x83\x8a\x83\x8b\x83\x8c\x83\x8d\x83\x8f\x83\x93";

// 甲乙丙丁戊己庚辛壬癸子丑寅卯辰巳午未申酉戌亥
constexpr std::string_view kKanji =
    "\x8d\x62\x89\xb3\x95\xb8\x92\x9a\x95\xe8\x8c\xc8\x8d\x4d\x90\x68\x90\x70\xe1\xa1\x8e\x71\x89\x4e\x93\xd0"
    "\x89\x4b\x92\x43\x96\xa4\x8c\xdf\x96\xa2\x90\x5c\x93\xd1\x9c\xfa\x88\xe5";

std::string_view characters(MaskStyle style) {
    switch (style) {
        case MaskStyle::Letters: return kLetters;
        case MaskStyle::Kanji: return kKanji;
        default: return kKatakana;
    }
}

}  // namespace

void assignMasks(Draft& draft, MaskStyle style, Random& random) {
    const std::string_view all = characters(style);
    std::vector<std::string> free;
    for (std::size_t i = 0; i + 1 < all.size(); i += 2) {
        std::string character(all.substr(i, 2));
        if (std::find(draft.maskOf.begin(), draft.maskOf.end(), character) == draft.maskOf.end())
            free.push_back(std::move(character));
    }
    // The first ten free characters of the style, dealt to the digits at random.
    if (free.size() > 10) free.resize(10);
    random.shuffle(free);
    std::size_t next = 0;
    for (std::string& mask : draft.maskOf)
        if (mask.empty() && next < free.size()) mask = free[next++];
}

}  // namespace varnokit::compose
