// Making a new puzzle from a seed.
#include "compose/generate.h"

#include <algorithm>

#include "compose/random.h"
#include "model/numbers.h"
#include "model/work_record.h"

namespace varnokit::compose {
namespace {

int64_t power10(int e) { return static_cast<int64_t>(pow10(e)); }

// The dice for the division and those for the hiding order are kept apart,
// so the same seed gives the same division whatever the order chosen.
constexpr uint64_t kOrderStream = 0x6f72646572ull;

}  // namespace

GenerateProblem checkGenerateOptions(const GenerateOptions& options) {
    if (options.divisorDigits < 1 || options.divisorDigits > kMaxDivisorDigits) return GenerateProblem::DivisorDigits;
    if (options.quotientDigits < 1 || options.quotientDigits > kMaxQuotientDigits) return GenerateProblem::QuotientDigits;
    if (options.zeros == QuotientZeros::Some && options.quotientDigits < 2) return GenerateProblem::ZerosNeedTwoDigits;
    return GenerateProblem::None;
}

Division randomDivision(const GenerateOptions& options) {
    Random dice(options.seed);
    const int s = options.divisorDigits;
    const int q = options.quotientDigits;
    // A remainder other than 0 needs a divisor of 2 or more.
    const int64_t lowest = std::max<int64_t>(power10(s - 1), options.remainder == RemainderKind::NonZero ? 2 : 1);
    Division division;
    division.divisor = dice.between(lowest, power10(s) - 1);

    const int zeroAt = options.zeros == QuotientZeros::Some ? static_cast<int>(dice.between(1, q - 1)) : -1;
    int64_t quotient = 0;
    for (int k = 0; k < q; ++k) {
        int digit;
        if (k == zeroAt) digit = 0;
        else if (k > 0 && options.zeros != QuotientZeros::None) digit = static_cast<int>(dice.between(0, 9));
        else digit = static_cast<int>(dice.between(1, 9));  // the first digit is never 0
        quotient = quotient * 10 + digit;
    }
    division.quotient = quotient;

    switch (options.remainder) {
        case RemainderKind::Zero: division.remainder = 0; break;
        case RemainderKind::NonZero: division.remainder = dice.between(1, division.divisor - 1); break;
        case RemainderKind::Any: division.remainder = dice.between(0, division.divisor - 1); break;
    }
    return division;
}

GenerateResult generate(const GenerateOptions& options, SolutionProbe& probe, ComposeControl& control) {
    GenerateResult result;
    result.division = randomDivision(options);
    Random dice(options.seed ^ 0x636f6e64ull);  // "cond"
    result.condition = options.condition == kRandomCondition ? static_cast<int>(dice.between(0, 9)) : options.condition;

    Draft start;
    writeOut(result.division, start);
    start.condition = result.condition;
    MinimiseOptions& hide = result.hiding;
    hide.order = options.order;
    hide.seed = options.seed ^ kOrderStream;
    hide.style = options.masks ? HideStyle::Mask : HideStyle::Star;
    hide.maskStyle = options.maskStyle;
    hide.hideRemainder = options.hideRemainder;
    result.minimised = minimise(start, hide, probe, control);
    return result;
}

}  // namespace varnokit::compose
