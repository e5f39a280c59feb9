// SPDX-License-Identifier: MIT
// A century and a half of U.S. markets, one row a year from January to
// January: the real total return of stocks (dividends reinvested), the real
// return of 10-year government bonds, and the inflation of consumer prices,
// each a fraction (−0.38 is −38 %). The rows come from data/us-markets.csv,
// compiled in; data/README.md says where its figures come from.
#pragma once

#include <cstdint>
#include <span>

namespace nestora {

struct MarketYear {
    std::int32_t year = 0;
    double stocks = 0;     // real total return
    double bonds = 0;      // real return
    double inflation = 0;  // change of the consumer price index
};

// Every year of the data, oldest first, without gaps.
std::span<const MarketYear> UsMarkets();

}  // namespace nestora
