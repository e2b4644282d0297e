// Branch and bound for the smallest hitting set. Each node takes the
// unhit set with the fewest usable elements and branches on its elements,
// the one hitting most other sets first; an element tried in one branch is
// barred from the branches after it, so no set of elements is met twice.
// The bound: sets that share no usable element need one element each.
#include "compose/hitting_set.h"

#include <algorithm>
#include <bit>

namespace varnokit::compose {

HittingSetProblem::HittingSetProblem(int elements)
    : elements_(elements), words_(static_cast<std::size_t>(std::max(1, (elements + 63) / 64))) {}

void HittingSetProblem::add(const std::vector<int>& members) {
    const std::size_t base = bits_.size();
    bits_.resize(base + words_, 0);
    for (int e : members) bits_[base + static_cast<std::size_t>(e / 64)] |= uint64_t{1} << (e % 64);
}

namespace {

using Bits = std::vector<uint64_t>;

class Search {
public:
    Search(const HittingSetProblem& problem, std::chrono::steady_clock::time_point deadline,
           const std::function<bool()>& stop)
        : words_(static_cast<std::size_t>(problem.words())), elements_(problem.elements()),
          deadline_(deadline), stop_(stop) {
        keepMinimalSets(problem);
    }

    HittingSet run() {
        HittingSet answer;
        for (const Bits& s : sets_)
            if (std::all_of(s.begin(), s.end(), [](uint64_t w) { return w == 0; })) return answer;
        answer.found = true;
        best_ = greedy();
        std::vector<int> all(sets_.size());
        for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<int>(i);
        Bits barred(words_, 0);
        std::vector<int> chosen;
        branch(all, barred, chosen);
        answer.elements = best_;
        std::sort(answer.elements.begin(), answer.elements.end());
        answer.optimal = !outOfTime_;
        return answer;
    }

private:
    bool has(const Bits& s, int e) const { return (s[static_cast<std::size_t>(e / 64)] >> (e % 64)) & 1; }

    // Duplicates and sets that hold a smaller set change nothing: dropped.
    void keepMinimalSets(const HittingSetProblem& problem) {
        std::vector<Bits> all;
        for (int s = 0; s < problem.sets(); ++s) all.emplace_back(problem.set(s), problem.set(s) + words_);
        auto size = [](const Bits& b) {
            int n = 0;
            for (uint64_t w : b) n += std::popcount(w);
            return n;
        };
        std::sort(all.begin(), all.end(), [&](const Bits& a, const Bits& b) {
            const int sa = size(a), sb = size(b);
            return sa != sb ? sa < sb : a < b;
        });
        all.erase(std::unique(all.begin(), all.end()), all.end());
        const bool compare = all.size() <= 4000;  // beyond that the quadratic pass costs more than it saves
        for (const Bits& candidate : all) {
            bool holdsAnother = false;
            for (std::size_t k = 0; compare && k < sets_.size() && !holdsAnother; ++k) {
                bool subset = true;
                for (std::size_t w = 0; w < words_ && subset; ++w) subset = (sets_[k][w] & ~candidate[w]) == 0;
                holdsAnother = subset;
            }
            if (!holdsAnother) sets_.push_back(candidate);
        }
    }

    std::vector<int> greedy() const {
        std::vector<int> chosen;
        std::vector<bool> hit(sets_.size(), false);
        std::size_t left = sets_.size();
        while (left > 0) {
            int bestElement = -1, bestCount = 0;
            for (int e = 0; e < elements_; ++e) {
                int count = 0;
                for (std::size_t s = 0; s < sets_.size(); ++s) count += !hit[s] && has(sets_[s], e) ? 1 : 0;
                if (count > bestCount) bestCount = count, bestElement = e;
            }
            if (bestElement < 0) break;
            chosen.push_back(bestElement);
            for (std::size_t s = 0; s < sets_.size(); ++s)
                if (!hit[s] && has(sets_[s], bestElement)) hit[s] = true, --left;
        }
        return chosen;
    }

    int usableCount(const Bits& s, const Bits& barred) const {
        int n = 0;
        for (std::size_t w = 0; w < words_; ++w) n += std::popcount(s[w] & ~barred[w]);
        return n;
    }

    // Sets pairwise without a shared usable element: each needs its own element.
    int lowerBound(const std::vector<int>& open, const Bits& barred) const {
        Bits used(words_, 0);
        int count = 0;
        for (int s : open) {
            const Bits& set = sets_[static_cast<std::size_t>(s)];
            bool disjoint = true;
            for (std::size_t w = 0; w < words_ && disjoint; ++w) disjoint = (set[w] & ~barred[w] & used[w]) == 0;
            if (!disjoint) continue;
            ++count;
            for (std::size_t w = 0; w < words_; ++w) used[w] |= set[w] & ~barred[w];
        }
        return count;
    }

    bool outOfTime() {
        if (outOfTime_) return true;
        if ((++nodes_ & 255) != 0) return false;
        outOfTime_ = std::chrono::steady_clock::now() >= deadline_ || (stop_ && stop_());
        return outOfTime_;
    }

    void branch(const std::vector<int>& open, Bits& barred, std::vector<int>& chosen) {
        if (open.empty()) {
            if (chosen.size() < best_.size()) best_ = chosen;
            return;
        }
        if (outOfTime()) return;
        if (chosen.size() + 1 >= best_.size()) return;
        if (chosen.size() + static_cast<std::size_t>(lowerBound(open, barred)) >= best_.size()) return;

        int narrowest = -1, fewest = elements_ + 1;
        for (int s : open) {
            const int n = usableCount(sets_[static_cast<std::size_t>(s)], barred);
            if (n < fewest) fewest = n, narrowest = s;
        }
        if (fewest == 0) return;  // a set nothing usable can hit
        std::vector<std::pair<int, int>> tries;  // (sets hit, element)
        const Bits& pick = sets_[static_cast<std::size_t>(narrowest)];
        for (int e = 0; e < elements_; ++e) {
            if (!has(pick, e) || has(barred, e)) continue;
            int hits = 0;
            for (int s : open) hits += has(sets_[static_cast<std::size_t>(s)], e) ? 1 : 0;
            tries.emplace_back(-hits, e);
        }
        std::sort(tries.begin(), tries.end());

        std::vector<int> barredHere;
        for (const auto& [negHits, e] : tries) {
            std::vector<int> rest;
            for (int s : open)
                if (!has(sets_[static_cast<std::size_t>(s)], e)) rest.push_back(s);
            chosen.push_back(e);
            branch(rest, barred, chosen);
            chosen.pop_back();
            barred[static_cast<std::size_t>(e / 64)] |= uint64_t{1} << (e % 64);
            barredHere.push_back(e);
            if (outOfTime_) break;
        }
        for (int e : barredHere) barred[static_cast<std::size_t>(e / 64)] &= ~(uint64_t{1} << (e % 64));
    }

    std::size_t words_;
    int elements_;
    std::chrono::steady_clock::time_point deadline_;
    const std::function<bool()>& stop_;
    std::vector<Bits> sets_;  // smallest first
    std::vector<int> best_;
    uint64_t nodes_ = 0;
    bool outOfTime_ = false;
};

}  // namespace

HittingSet smallestHittingSet(const HittingSetProblem& problem, std::chrono::steady_clock::time_point deadline,
                              const std::function<bool()>& stop) {
    return Search(problem, deadline, stop).run();
}

}  // namespace varnokit::compose
