// SPDX-License-Identifier: MIT
#include "number/power_of_ten.h"

#include <cmath>
#include <cstdlib>

namespace nestora {
namespace {

// The extended values nearest 10^k, written exactly as hexadecimal literals
// (significand × 2^exponent). Made by tests/data/power_of_ten_tables.py with
// exact integer arithmetic; the tests compare them with its output.
constexpr Extended kSmall[32] = {
    0x8000000000000000p-63L,  // 1E0
    0xA000000000000000p-60L,  // 1E1
    0xC800000000000000p-57L,  // 1E2
    0xFA00000000000000p-54L,  // 1E3
    0x9C40000000000000p-50L,  // 1E4
    0xC350000000000000p-47L,  // 1E5
    0xF424000000000000p-44L,  // 1E6
    0x9896800000000000p-40L,  // 1E7
    0xBEBC200000000000p-37L,  // 1E8
    0xEE6B280000000000p-34L,  // 1E9
    0x9502F90000000000p-30L,  // 1E10
    0xBA43B74000000000p-27L,  // 1E11
    0xE8D4A51000000000p-24L,  // 1E12
    0x9184E72A00000000p-20L,  // 1E13
    0xB5E620F480000000p-17L,  // 1E14
    0xE35FA931A0000000p-14L,  // 1E15
    0x8E1BC9BF04000000p-10L,  // 1E16
    0xB1A2BC2EC5000000p-7L,   // 1E17
    0xDE0B6B3A76400000p-4L,   // 1E18
    0x8AC7230489E80000p0L,    // 1E19
    0xAD78EBC5AC620000p3L,    // 1E20
    0xD8D726B7177A8000p6L,    // 1E21
    0x878678326EAC9000p10L,   // 1E22
    0xA968163F0A57B400p13L,   // 1E23
    0xD3C21BCECCEDA100p16L,   // 1E24
    0x84595161401484A0p20L,   // 1E25
    0xA56FA5B99019A5C8p23L,   // 1E26
    0xCECB8F27F4200F3Ap26L,   // 1E27
    0x813F3978F8940984p30L,   // 1E28
    0xA18F07D736B90BE5p33L,   // 1E29
    0xC9F2C9CD04674EDFp36L,   // 1E30
    0xFC6F7C4045812296p39L,   // 1E31
};
constexpr Extended kMedium[16] = {
    0x8000000000000000p-63L,   // 1E0
    0x9DC5ADA82B70B59Ep43L,    // 1E32
    0xC2781F49FFCFA6D5p149L,   // 1E64
    0xEFB3AB16C59B14A3p255L,   // 1E96
    0x93BA47C980E98CE0p362L,   // 1E128
    0xB616A12B7FE617AAp468L,   // 1E160
    0xE070F78D3927556Bp574L,   // 1E192
    0x8A5296FFE33CC930p681L,   // 1E224
    0xAA7EEBFB9DF9DE8Ep787L,   // 1E256
    0xD226FC195C6A2F8Cp893L,   // 1E288
    0x81842F29F2CCE376p1000L,  // 1E320
    0x9FA42700DB900AD2p1106L,  // 1E352
    0xC4C5E310AEF8AA17p1212L,  // 1E384
    0xF28A9C07E9B09C59p1318L,  // 1E416
    0x957A4AE1EBF7F3D4p1425L,  // 1E448
    0xB83ED8DC0795A262p1531L,  // 1E480
};
constexpr Extended kLarge[10] = {
    0x8000000000000000p-63L,    // 1E0
    0xE319A0AEA60E91C7p1637L,   // 1E512
    0xC976758681750C17p3338L,   // 1E1024
    0xB2B8353B3993A7E4p5039L,   // 1E1536
    0x9E8B3B5DC53D5DE5p6740L,   // 1E2048
    0x8CA554C020A1F0A6p8441L,   // 1E2560
    0xF9895D25D88B5A8Bp10141L,  // 1E3072
    0xDD5DC8A2BF27F3F8p11842L,  // 1E3584
    0xC46052028A20979Bp13543L,  // 1E4096
    0xAE3511626ED559F0p15244L,  // 1E4608
};

// The largest step the tables hold; |n| beyond 5119 takes it repeatedly.
constexpr int kLargeStep = 512 * 9;

Extended apply(Extended v, Extended factor, bool up) {
    return up ? fp::mul(v, factor) : fp::div(v, factor);
}

}  // namespace

Extended ScaleByPowerOfTen(Extended v, int n) {
    if (n == 0) return v;
    const bool up = n > 0;
    // Widen before taking the magnitude so that INT_MIN has one.
    long long m = std::llabs(static_cast<long long>(n));

    // The conversions never ask for 5120 or more, but a larger request must
    // not read beyond the tables: the surplus is applied last, in steps of
    // 10^4608, after the three table factors of the remainder.
    long long surplus = 0;
    while (m >= 5120) {
        m -= kLargeStep;
        ++surplus;
    }

    const long long small = m % 32;
    const long long medium = (m / 32) % 16;
    const long long large = m / 512;
    if (small != 0) v = apply(v, kSmall[small], up);
    if (medium != 0) v = apply(v, kMedium[medium], up);
    if (large != 0) v = apply(v, kLarge[large], up);
    // Zero, an infinity and a NaN stay what they are: stop early for them.
    for (; surplus > 0 && v != 0 && fp::isFinite(v); --surplus) v = apply(v, kLarge[9], up);
    return v;
}

}  // namespace nestora
