// "作問": a new puzzle of a chosen size, made from a seed alone: a random
// division written out in full, with a condition if asked, then hidden as
// far as it stays unique (Minimise).
#pragma once

#include <cstdint>

#include "compose/minimise.h"

namespace varnokit::compose {

enum class QuotientZeros {
    Any,   // each quotient digit after the first at random, 0 included
    None,  // no quotient digit 0
    Some,  // at least one quotient digit 0 (two digits or more)
};

enum class RemainderKind { Zero, NonZero, Any };

constexpr int kRandomCondition = 10;  // GenerateOptions::condition: a digit chosen by the dice

struct GenerateOptions {
    int divisorDigits = 3;   // 1 … 14
    int quotientDigits = 4;  // 1 … 14
    QuotientZeros zeros = QuotientZeros::Any;
    RemainderKind remainder = RemainderKind::Zero;
    bool masks = false;      // hide digits as masking characters instead of '*'
    MaskStyle maskStyle = MaskStyle::Katakana;
    int condition = -1;      // -1 none, 0 … 9, or kRandomCondition
    bool hideRemainder = false;  // the remainder's digits may be hidden too
    HideOrder order = HideOrder::Random;
    uint64_t seed = 1;
};

enum class GenerateProblem { None, DivisorDigits, QuotientDigits, ZerosNeedTwoDigits };

// Why these options cannot make a puzzle, or None.
GenerateProblem checkGenerateOptions(const GenerateOptions& options);

// The division the seed gives.
Division randomDivision(const GenerateOptions& options);

struct GenerateResult {
    MinimiseResult minimised;  // its draft is the new puzzle
    MinimiseOptions hiding;    // how it was hidden
    Division division;
    int condition = -1;
};

// Precondition: checkGenerateOptions(options) == None.
GenerateResult generate(const GenerateOptions& options, SolutionProbe& probe, ComposeControl& control);

}  // namespace varnokit::compose
