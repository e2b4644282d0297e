// The masking characters a composer can choose from: letters, katakana or
// kanji, each digit its own character.
#pragma once

#include "compose/draft.h"
#include "compose/random.h"

namespace varnokit::compose {

enum class MaskStyle { Letters, Katakana, Kanji };

// Gives every digit without a masking character one of the style's
// characters, none already in use, in an order the dice choose.
void assignMasks(Draft& draft, MaskStyle style, Random& random);

}  // namespace varnokit::compose
