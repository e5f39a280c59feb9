// SPDX-License-Identifier: MIT
#include "schedule/normal_deviates.h"

#include <cmath>
#include <cstdint>

namespace nestora {

double SignedUniform(pcg32& rng) {
    const std::uint64_t high = rng();
    const std::uint64_t low = rng();
    const std::uint64_t bits = ((high << 32) | low) >> 11;  // 53 bits, exact in a double
    return static_cast<double>(bits) * 0x1p-52 - 1.0;       // k·2^-52 − 1, k < 2^53
}

// The polar method. Draw (u, v) uniform on the square [-1, 1)² until
// s = u² + v² lies in (0, 1): the point is then uniform on the unit disc
// (without its centre), which the square covers with probability π/4, so a
// pair costs 4/π ≈ 1.27 tries. Write the point as √s·(cos θ, sin θ). The
// share of the disc within radius ρ is ρ², so s = ρ² is uniform on (0, 1),
// and θ is uniform on [0, 2π) and independent of s.
//
// Two independent standard normals X, Y have the joint density
// exp(−(x² + y²)/2) / 2π, which depends on the radius only: their angle is
// uniform and independent of their squared radius X² + Y², whose
// distribution is exponential with mean 2 (P(X² + Y² > t) = e^(−t/2)). And
// −2·ln s is exactly that when s is uniform: P(−2 ln s > t) = P(s < e^(−t/2))
// = e^(−t/2). So
//     X = √(−2 ln s)·cos θ = u·√(−2 ln s / s),
//     Y = √(−2 ln s)·sin θ = v·√(−2 ln s / s)
// are two independent standard normal deviates. This is the Box–Muller
// transform with the angle taken from the point itself, so no sine or cosine
// is needed.
double NormalDeviates::drawPair() {
    double u;
    double v;
    double s;
    do {
        u = SignedUniform(rng_);
        v = SignedUniform(rng_);
        s = u * u + v * v;
    } while (s >= 1.0 || s == 0.0);
    const double scale = std::sqrt(-2.0 * std::log(s) / s);
    spare_ = v * scale;
    haveSpare_ = true;
    return u * scale;
}

}  // namespace nestora
