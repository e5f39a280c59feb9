// SPDX-License-Identifier: MIT
#include "schedule/percentiles.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace nestora {

namespace {

struct Rank {
    std::size_t k;    // ⌊h⌋
    double fraction;  // h − ⌊h⌋
};

Rank RankOf(std::size_t count, double p) {
    const double h = static_cast<double>(count - 1) * p;
    const double whole = std::floor(h);
    return {static_cast<std::size_t>(whole), h - whole};
}

// x(k) + fraction·(x(k+1) − x(k)), where x(k) is in place at `at` and
// x(k+1) is the smallest value of [at + 1, end).
double Between(const double* at, const double* end, double fraction) {
    if (fraction == 0 || at + 1 >= end) return *at;
    const double next = *std::min_element(at + 1, end);
    return *at + fraction * (next - *at);
}

// By three selections in place: about 20 comparisons a value, most of them
// branches that the processor cannot predict.
Percentiles BySelection(std::span<double> values) {
    const std::size_t count = values.size();
    if (count == 0) return {};
    double* const first = values.data();
    double* const last = first + count;
    const Rank r10 = RankOf(count, 0.1);
    const Rank r50 = RankOf(count, 0.5);
    const Rank r90 = RankOf(count, 0.9);

    // The median first; then the 10th among the values at or below it and
    // the 90th among those at or above it.
    double* const m = first + r50.k;
    std::nth_element(first, m, last);
    double* const lo = first + r10.k;
    std::nth_element(first, lo, m);
    double* const hi = first + r90.k;
    if (hi > m) std::nth_element(m + 1, hi, last);

    // Every value past a selected place is at least its value, and every
    // value past the next selected place is at least that one's: x(k + 1)
    // is the smallest value from k + 1 up to the next selected place.
    const auto endAfter = [&](const double* at) -> const double* {
        for (const double* next : {m, hi})
            if (next > at) return next + 1;
        return last;
    };
    Percentiles out;
    out.p10 = Between(lo, endAfter(lo), r10.fraction);
    out.p50 = Between(m, endAfter(m), r50.fraction);
    out.p90 = Between(hi, last, r90.fraction);
    return out;
}

// Rows of at least this many values go by buckets when their values allow.
constexpr std::size_t BucketRowLength = 2048;
constexpr std::size_t Buckets = 4096;

// The buckets of a row: its positive patterns from lo on, 2^shift patterns
// to a bucket, and one more bucket, the last, for its zeros.
struct BucketGrid {
    std::uint64_t lo = ~std::uint64_t{0};
    unsigned shift = 0;
    std::size_t zeros = 0;
    std::size_t of(double v) const {
        const auto bits = std::bit_cast<std::uint64_t>(v);
        return bits == 0 ? Buckets : static_cast<std::size_t>((bits - lo) >> shift);
    }
};

// The first pass: the grid over the row's range, none for a row with a
// negative, infinite or NaN value.
std::optional<BucketGrid> GridOf(std::span<const double> values) {
    constexpr std::uint64_t FirstNotFinite = 0x7FF0000000000000;  // +∞; above: NaN or negative
    BucketGrid grid;
    std::uint64_t hi = 0;
    std::uint64_t beyond = 0;
    for (const double v : values) {
        const auto bits = std::bit_cast<std::uint64_t>(v);
        beyond |= bits >= FirstNotFinite;
        grid.zeros += bits == 0;
        grid.lo = std::min(grid.lo, bits == 0 ? grid.lo : bits);
        hi = std::max(hi, bits);
    }
    if (beyond != 0) return std::nullopt;
    if (hi > grid.lo)
        while (((hi - grid.lo) >> grid.shift) >= Buckets) ++grid.shift;
    return grid;
}

// The order statistics x(ranks[0]) ≤ x(ranks[1]) ≤ … (ranks ascending) of a
// row of non-negative finite values, by buckets of their bit patterns; false,
// with `out` untouched, for a row with a negative, infinite or NaN value.
//
// For non-negative finite doubles the bit pattern, read as an unsigned
// integer, grows with the value. Zeros (paths that have run out) are counted
// apart; the positive patterns from the smallest, lo, to the largest, hi, are
// cut into at most 4096 buckets of 2^shift patterns each: as long as the
// values span a few dozen powers of two, a bucket is a small slice of one,
// and the rank's bucket holds a few dozen values. Three straight passes
// (range, counts, gathering the wanted buckets) and a selection within each
// wanted bucket replace the selections over the whole row.
bool ByBuckets(std::span<const double> values, std::span<const std::size_t> ranks,
               std::span<double> out) {
    const std::optional<BucketGrid> grid = GridOf(values);
    if (!grid) return false;
    const auto bucketOf = [&grid](double v) { return grid->of(v); };
    const std::size_t zeros = grid->zeros;
    std::array<std::uint32_t, Buckets + 1> counts{};  // the last one counts the zeros
    for (const double v : values) ++counts[bucketOf(v)];

    // Each rank's bucket and its place within the bucket.
    struct Place {
        std::size_t bucket;
        std::size_t offset;
    };
    std::array<Place, 8> places{};
    std::array<std::uint8_t, Buckets + 1> slotOf;
    slotOf.fill(0xFF);
    std::array<std::vector<double>, 8> gathered;
    std::size_t slots = 0;
    std::size_t bucket = 0;
    std::size_t below = zeros;  // values in buckets before `bucket`, zeros first
    for (std::size_t k = 0; k < ranks.size(); ++k) {
        if (ranks[k] < zeros) {
            places[k] = {Buckets, 0};
            continue;
        }
        while (below + counts[bucket] <= ranks[k]) below += counts[bucket++];
        places[k] = {bucket, ranks[k] - below};
        if (slotOf[bucket] == 0xFF) {
            gathered[slots].reserve(counts[bucket]);
            slotOf[bucket] = static_cast<std::uint8_t>(slots++);
        }
    }
    for (const double v : values) {
        const std::uint8_t slot = slotOf[bucketOf(v)];
        if (slot != 0xFF) gathered[slot].push_back(v);
    }
    for (std::size_t k = 0; k < ranks.size(); ++k) {
        if (places[k].bucket == Buckets) {
            out[k] = 0;
            continue;
        }
        std::vector<double>& in = gathered[slotOf[places[k].bucket]];
        const auto at = in.begin() + static_cast<std::ptrdiff_t>(places[k].offset);
        std::nth_element(in.begin(), at, in.end());
        out[k] = *at;
    }
    return true;
}

}  // namespace

Percentiles TakePercentiles(std::span<double> values) {
    const std::size_t count = values.size();
    if (count < BucketRowLength) return BySelection(values);
    const Rank r10 = RankOf(count, 0.1);
    const Rank r50 = RankOf(count, 0.5);
    const Rank r90 = RankOf(count, 0.9);
    // A long row has every x(k + 1) that a percentile needs.
    const std::array<std::size_t, 6> ranks = {r10.k, r10.k + 1, r50.k, r50.k + 1, r90.k, r90.k + 1};
    std::array<double, 6> x;
    if (!ByBuckets(values, ranks, x)) return BySelection(values);
    const auto between = [](double at, double next, double fraction) {
        return fraction == 0 ? at : at + fraction * (next - at);
    };
    return {between(x[0], x[1], r10.fraction), between(x[2], x[3], r50.fraction),
            between(x[4], x[5], r90.fraction)};
}

}  // namespace nestora
