// SPDX-License-Identifier: MIT
// The two icons: green squares with a blue border, black ink inside.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/icons.h"
#include "ui/qt_test_support.h"

namespace nestora::testing {
namespace {

// The image as rows of characters: 'B' blue, '.' green, '#' black.
std::vector<std::string> Picture(const QImage& image) {
    std::vector<std::string> rows;
    for (int y = 0; y < image.height(); ++y) {
        std::string row;
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            row += c == IconBlue ? 'B' : c == IconGreen ? '.' : c == IconBlack ? '#' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

TEST(Icons, WindowIconSpellsSaveAboveADollar) {
    App();
    const std::vector<std::string> expected = {
        "BBBBBBBBBBBBBBBB", "B..............B", "B###..#..#.#.##B", "B#...#.#.#.#.#.B",
        "B###.###.#.#.##B", "B..#.#.#.#.#.#.B", "B###.#.#..#..##B", "B..............B",
        "B......#.......B", "B.....####.....B", "B....#.#.......B", "B.....###......B",
        "B......#.#.....B", "B....####......B", "B......#.......B", "BBBBBBBBBBBBBBBB",
    };
    EXPECT_EQ(Picture(WindowIconImage()), expected);
}

TEST(Icons, ProgramIconIsAGreenSquareWithTheNameAndABlueBorder) {
    App();
    const QImage image = ProgramIconImage();
    ASSERT_EQ(image.size(), QSize(32, 32));
    const std::vector<std::string> rows = Picture(image);
    EXPECT_EQ(rows.front(), std::string(32, 'B'));
    EXPECT_EQ(rows.back(), std::string(32, 'B'));
    int ink = 0;
    for (int y = 1; y < 31; ++y) {
        EXPECT_EQ(rows[y].front(), 'B');
        EXPECT_EQ(rows[y].back(), 'B');
        EXPECT_EQ(rows[y].find('?'), std::string::npos);
        ink += static_cast<int>(std::count(rows[y].begin(), rows[y].end(), '#'));
    }
    // The name's first column, N's left stem, twice as tall as the glyph.
    for (int y = 3; y < 13; ++y) {
        EXPECT_EQ(rows[y][2], '#') << "row " << y;
    }
    EXPECT_GT(ink, 100);
}

TEST(Icons, WindowIconCarriesBothSizes) {
    App();
    const QList<QSize> sizes = WindowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
}

}  // namespace
}  // namespace nestora::testing
