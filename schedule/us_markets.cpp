// SPDX-License-Identifier: MIT
#include "schedule/us_markets.h"

namespace nestora {

namespace {

constexpr MarketYear Years[] = {
#include "us_markets.inc"
};

}  // namespace

std::span<const MarketYear> UsMarkets() { return Years; }

}  // namespace nestora
