// SPDX-License-Identifier: MIT
// The compiled-in market table against figures anyone can look up in the
// published history of U.S. markets.
#include <gtest/gtest.h>

#include <cmath>

#include "schedule/us_markets.h"

namespace nestora {
namespace {

const MarketYear& YearOf(std::int32_t year) {
    const auto years = UsMarkets();
    return years[static_cast<std::size_t>(year - years.front().year)];
}

TEST(UsMarkets, RunsFrom1871WithoutGapsToARecentYear) {
    const auto years = UsMarkets();
    ASSERT_FALSE(years.empty());
    EXPECT_EQ(years.front().year, 1871);
    EXPECT_GE(years.back().year, 2022);
    EXPECT_EQ(static_cast<std::int32_t>(years.size()), years.back().year - 1871 + 1);
    for (std::size_t k = 1; k < years.size(); ++k)
        EXPECT_EQ(years[k].year, years[k - 1].year + 1) << "after " << years[k - 1].year;
}

TEST(UsMarkets, KnownYears) {
    struct Known {
        std::int32_t year;
        double stocks, inflation;
    };
    // The worst year of the Depression with its falling prices, the bear
    // market and oil shock of 1974, and the financial crisis of 2008 (January
    // to January, so a little off the calendar year's figures).
    const Known known[] = {
        {1931, -0.38, -0.10},
        {1974, -0.29, 0.12},
        {2008, -0.36, 0.00},
    };
    for (const Known& k : known) {
        const MarketYear& y = YearOf(k.year);
        EXPECT_NEAR(y.stocks, k.stocks, 0.01) << k.year;
        EXPECT_NEAR(y.inflation, k.inflation, 0.01) << k.year;
    }
}

TEST(UsMarkets, LongRunAverages) {
    double stocks = 0, bonds = 0, prices = 0;
    for (const MarketYear& y : UsMarkets()) {
        stocks += std::log1p(y.stocks);
        bonds += std::log1p(y.bonds);
        prices += std::log1p(y.inflation);
    }
    const double count = static_cast<double>(UsMarkets().size());
    // Geometric means a year: stocks about 6.9 % real, bonds about 2.5 %,
    // prices about 2.1 %.
    EXPECT_NEAR(std::expm1(stocks / count), 0.069, 0.002);
    EXPECT_NEAR(std::expm1(bonds / count), 0.025, 0.003);
    EXPECT_NEAR(std::expm1(prices / count), 0.021, 0.003);
}

}  // namespace
}  // namespace nestora
