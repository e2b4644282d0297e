// The ordered search: the reference search's steps with compiled rows.
#include "solver/ordered_search.h"

#include <algorithm>

#include "solver/cell_rules.h"
#include "solver/fast_search_table.h"
#include "solver/open_remainder.h"

namespace varnokit::fast {
namespace {

// A row as the ordered search checks it.
template <typename Number>
struct CompiledRow {
    enum class Kind {
        Length,            // every cell '*' and no condition: only the length counts
        AvoidsCondition,   // every cell '*': no digit may be the condition digit
        Cells,             // digits, letters and '*': cell by cell
    };
    int length = 0;
    Number min = 0, max = 0;  // the values of `length` digits (an empty row: only 0)
    Kind kind = Kind::Length;
    const char* cells = nullptr;
    // Cells: the positions of the cells that can refuse a digit (all but the
    // '*' cells when there is no condition), typed digits first.
    int8_t checked[kTextCapacity] = {};
    int checkedCount = 0;
};

template <typename Number>
CompiledRow<Number> compileRow(const WorkRow& row, int condition) {
    using Row = CompiledRow<Number>;
    Row compiled;
    compiled.length = row.length;
    compiled.cells = row.text;
    if (row.length == 0) return compiled;
    compiled.min = row.length == 1 ? 0 : tenTo<Number>(row.length - 1);
    compiled.max = tenTo<Number>(row.length) - 1;
    bool allStars = true;
    for (int j = 0; j < row.length; ++j) allStars = allStars && row.text[j] == '*';
    compiled.kind = !allStars ? Row::Kind::Cells : condition < 0 ? Row::Kind::Length : Row::Kind::AvoidsCondition;
    for (int pass = 0; pass < 2; ++pass) {
        for (int j = 0; j < row.length; ++j) {
            const char c = row.text[j];
            const bool digit = isDigitCell(c);
            const bool refuses = digit || isLetterCell(c) || condition >= 0;
            if (refuses && digit == (pass == 0)) compiled.checked[compiled.checkedCount++] = static_cast<int8_t>(j);
        }
    }
    return compiled;
}

bool anyFreeLetter(const WorkRecord& work, const LetterBindings& letters) {
    for (int row = 0; row < kRowCount; ++row) {
        for (int j = 0; j < work.rows[row].length; ++j) {
            const char c = work.rows[row].text[j];
            if (isLetterCell(c) && letters.letter[c - 'A'] < 0) return true;
        }
    }
    return false;
}

// Divisor digits: chosen by every fitting digit in turn, forced to one
// digit, or drawn at random among the fitting ones.
enum class DigitSource : int8_t { Every, Forced, Drawn };

template <typename Number>
class Path final : public OrderedSearch {
public:
    explicit Path(SearchContext& context)
        : context_(context),
          letters_(context.state.letters),
          work_(context.state.work),
          rules_(cellRules(context)),
          s_(work_.rows[kDivisorRow].length),
          q_(work_.rows[kQuotientRow].length),
          remainder_(static_cast<Number>(work_.rows[kRemainderRow].value)),
          openRemainder_(remainderIsOpen(work_)),
          snapshotLetters_(anyFreeLetter(work_, letters_)) {
        const int condition = context.state.conditionDigit;
        for (int k = 0; k < q_; ++k) {
            product_[k] = compileRow<Number>(work_.rows[partialProductRow(k)], condition);
            if (k > 0) difference_[k] = compileRow<Number>(work_.rows[differenceRow(k)], condition);
            starCell_[k] = work_.rows[kQuotientRow].text[k] == '*' && product_[k].length > 0;
            place_[k] = tenTo<Number>(q_ - 1 - k);
        }
        dividend_ = compileRow<Number>(work_.rows[kDividendRow], condition);
    }

    // The divisor's first `length` digits forced to `prefix`, the others from `rest`.
    void forcePrefix(const int8_t* prefix, int length, DigitSource rest) {
        std::fill(source_, source_ + s_, rest);
        std::fill(source_, source_ + length, DigitSource::Forced);
        std::fill(forced_, forced_ + s_, int8_t{0});
        std::copy(prefix, prefix + length, forced_);
        divisorGiven_ = false;
    }

    void searchBlock(const int8_t* prefix, int length) override {
        forcePrefix(prefix, length, DigitSource::Every);
        forcedQuotient_ = false;
        run();
    }

    // The candidates come from the pruning search: the endings have nothing to add.
    void searchOne(Int128 divisor, Int128 quotient) override {
        if (quotient < 0 || quotient >= pow10(q_) || !forceDivisor(divisor)) return;
        decimalDigits(quotient, q_, quotientDigit_);
        forcedQuotient_ = true;
        run();
    }

    void searchDivisor(Int128 divisor) override {
        if (!forceDivisor(divisor)) return;
        forcedQuotient_ = false;
        run();
    }

    bool forceDivisor(Int128 divisor) {
        if (divisor < pow10(s_ - 1) || divisor >= pow10(s_)) return false;
        decimalDigits(divisor, s_, forced_);
        for (int p = 0; p < s_; ++p) source_[p] = DigitSource::Forced;
        divisorGiven_ = true;
        return true;
    }

    Probe probe(const int8_t* prefix, int length, uint64_t seed, uint64_t nodeCap) override {
        forcePrefix(prefix, length, DigitSource::Drawn);
        forcedQuotient_ = false;
        random_ = seed | 1;
        probe_ = Probe{};
        probing_ = true;
        limit_ = nodes_ + nodeCap;
        run();
        probing_ = false;
        probe_.capped = stopped_;
        stopped_ = false;
        limit_ = UINT64_MAX;
        probe_.nodes = probe_.drawn ? nodes_ - quotientStart_ : 0;
        return probe_;
    }


    void useEndings(const RightEndTable& table) override {
        endings_ = &table.endings();
        endingStart_ = s_ - table.endingLength();
    }

    uint64_t steps() const override { return nodes_; }

private:
    void run() { divisorDigit(0, 0); }

    // Every step counts; every 1024 the user's input gets a chance to run.
    void countNode() {
        if ((++nodes_ & 0x3FF) == 0) pollInput(context_);
        if (nodes_ >= limit_) stopped_ = true;
    }

    uint64_t nextRandom() {
        random_ ^= random_ << 13;
        random_ ^= random_ >> 7;
        random_ ^= random_ << 17;
        return random_;
    }

    /* --- The divisor, from the left --- */

    void divisorDigit(int p, Number divisor) {
        if (p == s_) {
            quotientPhase(divisor);
            return;
        }
        if (p == endingStart_ && endings_ != nullptr && !divisorGiven_) {
            divisorEndings(divisor);
            return;
        }
        const char cell = work_.rows[kDivisorRow].text[p];
        const DivisorChoice choice = divisorChoice(cell, work_.rows[kDivisorRow].ranges[p], letters_);
        int first = choice.first, last = choice.last;
        if (source_[p] == DigitSource::Forced) {
            first = last = forced_[p];
        } else if (source_[p] == DigitSource::Drawn) {
            int fitting[10], count = 0;
            for (int v = std::max(first, 0); v <= last && v <= 9; ++v) {
                if (divisorDigitFits(rules_, cell, choice, v, letters_)) fitting[count++] = v;
            }
            if (count == 0) return;
            first = last = fitting[nextRandom() % static_cast<uint64_t>(count)];
        }
        for (int v = first; v <= last && !stopped_; ++v) {
            if (!divisorDigitFits(rules_, cell, choice, v, letters_)) continue;
            if (choice.freeLetter >= 0) bindLetter(letters_, choice.freeLetter, v);
            countNode();
            divisorDigit(p + 1, divisor * 10 + static_cast<Number>(v));
            if (choice.freeLetter >= 0) unbindLetter(letters_, choice.freeLetter);
        }
    }

    // The divisor's last digits, from the table's endings (ascending), each
    // digit through the same rules as above.
    void divisorEndings(Number divisor) {
        const std::vector<DivisorEnding>& endings = *endings_;
        const std::size_t count = endings.size();
        if (count == 0) return;
        const bool drawn = source_[endingStart_] == DigitSource::Drawn;
        const std::size_t first = drawn ? static_cast<std::size_t>(nextRandom() % count) : 0;
        for (std::size_t i = 0; i < count && !stopped_; ++i) {
            const DivisorEnding& ending = endings[(first + i) % count];
            int bound[kMaxDivisorDigits];
            int boundCount = 0;
            Number value = divisor;
            bool fitting = true;
            for (int p = endingStart_; p < s_ && fitting; ++p) {
                const int v = ending.digit[p - endingStart_];
                const char cell = work_.rows[kDivisorRow].text[p];
                const DivisorChoice choice = divisorChoice(cell, work_.rows[kDivisorRow].ranges[p], letters_);
                fitting = (source_[p] != DigitSource::Forced || v == forced_[p]) &&
                          divisorDigitFits(rules_, cell, choice, v, letters_);
                if (!fitting) break;
                if (choice.freeLetter >= 0) {
                    bindLetter(letters_, choice.freeLetter, v);
                    bound[boundCount++] = choice.freeLetter;
                }
                value = value * 10 + static_cast<Number>(v);
                }
            if (fitting) {
                countNode();
                for (int k = 0; k < q_; ++k) quotientMask_[k] = ending.quotient[k];
                quotientPhase(value);
                for (int k = 0; k < q_; ++k) quotientMask_[k] = kAllDigits;
            }
            while (boundCount > 0) unbindLetter(letters_, bound[--boundCount]);
            if (fitting && drawn) return;  // a probe takes one ending
        }
    }

    /* --- The quotient, from the right --- */

    void quotientPhase(Number divisor) {
        probe_.drawn = true;
        quotientStart_ = nodes_;
        // Every remainder of the division is below the divisor.
        if (remainder_ >= divisor) return;
        divisor_ = divisor;
        if (openRemainder_) {
            OpenSteps steps{*this};
            OpenRemainderQuotients<OpenValue<Number>, OpenSteps>(work_, letters_, rules_, steps)
                .search(static_cast<OpenValue<Number>>(divisor));
            return;
        }
        for (int v = 0; v <= 9; ++v) {
            products_[v] = divisor * static_cast<Number>(v);
            productLength_[v] = 0;  // digits taken apart when first needed
        }
        for (int k = 0; k < q_; ++k) {
            if (starCell_[k]) span_[k] = starQuotientSpan<Number>(work_, k, divisor);
        }
        quotientDigit(q_ - 1, 0, remainder_);
    }

    // `carried`: the remainder left after quotient digit k.
    void quotientDigit(int k, Number quotient, Number carried) {
        if (k < 0) return;
        const QuotientChoice choice = quotientChoice(rules_, work_, k, span_[k], letters_);
        if (choice.kind == QuotientChoice::Kind::Zero) {
            if (forcedQuotient_ && quotientDigit_[k] != 0) return;
            if (!(quotientMask_[k] & 1u)) return;
            // A zero digit brings down one more dividend digit.
            countNode();
            if (choice.freeLetter >= 0) bindLetter(letters_, choice.freeLetter, 0);
            quotientDigit(k - 1, quotient, carried / 10);
            if (choice.freeLetter >= 0) unbindLetter(letters_, choice.freeLetter);
            return;
        }
        int first = choice.first, last = choice.last;
        if (forcedQuotient_) first = last = quotientDigit_[k];
        for (int v = first; v <= last && !stopped_; ++v) {
            if (!(quotientMask_[k] & (1u << v)) || !quotientDigitFits(rules_, choice, v, letters_)) continue;
            tryDigit(k, v, choice.freeLetter, quotient, carried);
        }
    }

    void tryDigit(int k, int v, int letter, Number quotient, Number carried) {
        countNode();
        LetterBindings before;
        if (snapshotLetters_) before = letters_;
        if (letter >= 0) bindLetter(letters_, letter, v);
        const Number product = products_[v];
        if (productLength_[v] == 0) {
            productLength_[v] = decimalLength(product);
            decimalDigits(product, productLength_[v], productDigits_[v]);
        }
        if (productLength_[v] == product_[k].length && cellsTake(product_[k], productDigits_[v])) {
            const Number next = quotient + static_cast<Number>(v) * place_[k];
            if (k == 0) {
                accept(next);
            } else {
                const Number difference = product + carried;
                if (fits(difference_[k], difference)) quotientDigit(k - 1, next, difference / 10);
            }
        }
        if (snapshotLetters_) letters_ = before;
    }

    void accept(Number quotient) {
        const Number dividend = divisor_ * quotient + remainder_;
        // The dividend's letters are bound for this check only.
        LetterBindings before;
        if (snapshotLetters_) before = letters_;
        const bool fitting = fits(dividend_, dividend);
        if (snapshotLetters_) letters_ = before;
        if (!fitting) return;
        if (probing_) {
            ++probe_.solutions;
            return;
        }
        storeSolution(context_, static_cast<Int128>(divisor_), static_cast<Int128>(quotient));
    }

    // The quotient phase with an open remainder (open_remainder.h): this
    // path's steps, digits and acceptance.
    struct OpenSteps {
        Path& path;
        bool step() {
            path.countNode();
            return !path.stopped_;
        }
        void atQuotient(int) {}
        bool allows(int k, int v) const {
            return (!path.forcedQuotient_ || path.quotientDigit_[k] == v) && (path.quotientMask_[k] & (1u << v));
        }
        void found(OpenValue<Number> quotient, OpenValue<Number> remainder) {
            if (path.probing_) {
                ++path.probe_.solutions;
                return;
            }
            path.context_.state.work.rows[kRemainderRow].value = remainder;
            acceptSolution(path.context_, static_cast<Int128>(path.divisor_), static_cast<Int128>(quotient));
            path.context_.state.work.rows[kRemainderRow].value = 0;
        }
    };

    // matchRow's test, on a compiled row.
    bool fits(const CompiledRow<Number>& row, Number value) {
        if (value < row.min || value > row.max) return false;
        if (row.kind == CompiledRow<Number>::Kind::Length) return true;
        int8_t digits[40];
        decimalDigits(value, row.length, digits);
        return cellsTake(row, digits);
    }

    // The same for a value of the row's length whose digits are known.
    bool cellsTake(const CompiledRow<Number>& row, const int8_t* digits) {
        using Kind = typename CompiledRow<Number>::Kind;
        if (row.kind == Kind::Length) return true;
        if (row.kind == Kind::AvoidsCondition) {
            for (int j = 0; j < row.length; ++j) {
                if (digits[j] == rules_.condition) return false;
            }
            return true;
        }
        for (int i = 0; i < row.checkedCount; ++i) {
            const int j = row.checked[i];
            if (!cellTakes(rules_, row.cells[j], digits[j], letters_)) return false;
        }
        return true;
    }

    SearchContext& context_;
    LetterBindings& letters_;
    const WorkRecord& work_;
    const CellRules rules_;
    const int s_;
    const int q_;
    const Number remainder_;
    const bool openRemainder_;    // the remainder has hidden cells: found with each quotient
    const bool snapshotLetters_;  // some letter is still free: steps must undo their bindings

    CompiledRow<Number> product_[kMaxQuotientDigits];
    CompiledRow<Number> difference_[kMaxQuotientDigits];
    CompiledRow<Number> dividend_;
    bool starCell_[kMaxQuotientDigits] = {};  // a '*' quotient cell with its product written
    Number place_[kMaxQuotientDigits] = {};   // 10^(q-1-k)

    // Where the digits come from
    DigitSource source_[kMaxDivisorDigits] = {};
    int8_t forced_[kMaxDivisorDigits] = {};
    bool forcedQuotient_ = false;
    bool divisorGiven_ = false;  // searchOne, searchDivisor: every digit given, the endings skipped
    int8_t quotientDigit_[kMaxQuotientDigits] = {};

    // The right-end table's endings, and the quotient digits the current one allows
    const std::vector<DivisorEnding>* endings_ = nullptr;
    int endingStart_ = -1;
    DigitMask quotientMask_[kMaxQuotientDigits] = {kAllDigits, kAllDigits, kAllDigits, kAllDigits, kAllDigits,
                                                   kAllDigits, kAllDigits, kAllDigits, kAllDigits, kAllDigits,
                                                   kAllDigits, kAllDigits, kAllDigits, kAllDigits};

    // The divisor of the quotient phase
    Number divisor_ = 0;
    Number products_[10] = {};          // D × v
    int productLength_[10] = {};         // and their digits (length 0: not yet known)
    int8_t productDigits_[10][40] = {};
    DigitSpan span_[kMaxQuotientDigits] = {};

    uint64_t nodes_ = 0;
    uint64_t limit_ = UINT64_MAX;
    bool stopped_ = false;
    bool probing_ = false;
    Probe probe_;
    uint64_t quotientStart_ = 0;  // nodes_ when the probe's quotient phase began
    uint64_t random_ = 1;
};

}  // namespace

std::unique_ptr<OrderedSearch> makeOrderedSearch(SearchContext& context) {
    const WorkRecord& work = context.state.work;
    // The largest value met is the dividend, below 10^(s+q) + 10^s (a
    // remainder that is not below 10^18 leaves no divisor anyway).
    const int s = work.rows[kDivisorRow].length;
    const int q = work.rows[kQuotientRow].length;
    if (s + q <= 18 && work.rows[kRemainderRow].value < pow10(18)) {
        return std::make_unique<Path<uint64_t>>(context);
    }
    return std::make_unique<Path<Int128>>(context);
}

}  // namespace varnokit::fast
