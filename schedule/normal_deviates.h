// SPDX-License-Identifier: MIT
// Standard normal deviates from a PCG stream, by a transform written out here
// so that a seed gives the same deviates with every compiler and standard
// library (the algorithm behind std::normal_distribution is each library's
// own choice).
//
// SignedUniform takes two 32-bit outputs, the first as the high half, keeps
// the top 53 of the 64 bits and scales them to [-1, 1): every step is exact
// in double. NormalDeviates turns pairs of such uniforms into pairs of
// independent standard normal deviates by the polar method (derivation in
// normal_deviates.cpp) and hands them out one at a time, first u's then v's.
//
// Beyond the generator's integer steps the transform uses only +, −, ×, ÷,
// sqrt (all correctly rounded) and one log per pair; a math library whose
// log differs in the last bit moves a deviate by about one part in 10^16.
#pragma once

#include <pcg_random.hpp>

namespace nestora {

double SignedUniform(pcg32& rng);

class NormalDeviates {
  public:
    explicit NormalDeviates(const pcg32& rng) : rng_(rng) {}

    double next() {
        if (haveSpare_) {
            haveSpare_ = false;
            return spare_;
        }
        return drawPair();
    }

  private:
    // Draws a pair, keeps the second in spare_ and returns the first.
    double drawPair();

    pcg32 rng_;
    double spare_ = 0;
    bool haveSpare_ = false;
};

}  // namespace nestora
