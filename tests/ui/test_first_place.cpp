// SPDX-License-Identifier: MIT
// Where Year by Year first opens: beside the main window when the screen has
// room on either side, otherwise in the top right corner; framed, always
// inside the screen's free area.
#include <gtest/gtest.h>

#include <QRect>
#include <ostream>

#include "ui/year_by_year/first_place.h"

namespace nestora::testing {
namespace {

struct PlaceRow {
    const char* name;
    QRect room;
    QRect opener;
    QRect client;  // the answer
};

void PrintTo(const PlaceRow& row, std::ostream* out) { *out << row.name; }

class FirstPlaceTest : public ::testing::TestWithParam<PlaceRow> {};

TEST_P(FirstPlaceTest, LeavesTheOpenerInSightAndStaysOnTheScreen) {
    const PlaceRow& row = GetParam();
    const FrameGuess frame{.border = 4, .title = 32};
    const QRect client = FirstPlace(row.room, row.opener, QSize(780, 640), 600, frame);
    EXPECT_EQ(client, row.client);

    const QRect framed = client.adjusted(-frame.border, -frame.title, frame.border, frame.border);
    EXPECT_TRUE(row.room.contains(framed)) << "the frame leaves the screen";
    if (!row.opener.isEmpty() && client.width() < 780) {
        // It gave up width only to stay beside the opener.
        EXPECT_FALSE(framed.intersects(row.opener));
    }
}

// The main window's frame where the program opens it: 492 by 545 at 10,10.
const QRect Main(10, 10, 492, 545);

INSTANTIATE_TEST_SUITE_P(Screens, FirstPlaceTest,
                         ::testing::Values(
                             // 1279 - 501 - 8 = 770 across on the right of the main window.
                             PlaceRow{"RightOfTheMainWindowNarrowed", QRect(0, 0, 1280, 1024), Main,
                                      QRect(506, 32, 770, 640)},
                             PlaceRow{"RightOfTheMainWindowWhole", QRect(0, 0, 1920, 1080), Main,
                                      QRect(506, 32, 780, 640)},
                             PlaceRow{"LeftOfAMainWindowMovedRight", QRect(0, 0, 1280, 1024),
                                      QRect(780, 10, 492, 545), QRect(4, 32, 772, 640)},
                             PlaceRow{"CornerOfASmallScreen", QRect(0, 0, 800, 600), Main,
                                      QRect(16, 32, 780, 564)},
                             PlaceRow{"CornerWithoutAnOpener", QRect(0, 0, 1280, 1024), QRect(),
                                      QRect(496, 32, 780, 640)},
                             PlaceRow{"BesideOnASecondScreen", QRect(1280, 24, 1920, 1056),
                                      QRect(1290, 34, 492, 545), QRect(1786, 56, 780, 640)}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(FirstPlaceKept, InsideTheRoomAtTheLayoutsSmallestSize) {
    const FrameGuess frame{.border = 4, .title = 32};
    const QRect room(0, 0, 800, 600);
    struct Row {
        QRect client;
        QSize smallest;
        QRect kept;
    };
    const Row rows[] = {
        {QRect(16, 32, 780, 564), QSize(300, 200), QRect(16, 32, 780, 564)},  // fits as it is
        {QRect(16, 32, 780, 300), QSize(300, 620),
         QRect(16, 32, 780, 620)},  // taller than the room
        {QRect(300, 32, 400, 300), QSize(600, 300), QRect(196, 32, 600, 300)},  // moved left
        {QRect(16, 200, 400, 300), QSize(300, 500), QRect(16, 96, 400, 500)},   // moved up
    };
    for (const Row& row : rows)
        EXPECT_EQ(KeptInside(room, row.client, row.smallest, frame), row.kept);
}

TEST(FirstPlaceKept, ARememberedPlaceIsSensibleOnlyOnAScreen) {
    const QList<QRect> screens = {QRect(0, 0, 1280, 1024), QRect(1280, 0, 800, 600)};
    const int huge = 2000000000;  // its right side still within int
    EXPECT_TRUE(SensiblePlace(QRect(100, 100, 700, 500), screens));
    EXPECT_TRUE(SensiblePlace(QRect(1300, 50, 700, 500), screens));   // on the second screen
    EXPECT_TRUE(SensiblePlace(QRect(-600, 100, 700, 500), screens));  // a grip left in sight
    EXPECT_FALSE(SensiblePlace(QRect(-650, 100, 700, 500), screens));
    EXPECT_FALSE(SensiblePlace(QRect(40000, 40000, 700, 500), screens));
    EXPECT_FALSE(SensiblePlace(QRect(10, 10, huge, huge), screens));
    EXPECT_FALSE(SensiblePlace(QRect(huge, huge, 700, 500), screens));
    EXPECT_FALSE(SensiblePlace(QRect(10, 10, 1500, 500), {QRect(0, 0, 1280, 1024)}));
    EXPECT_FALSE(SensiblePlace(QRect(), screens));
}

}  // namespace
}  // namespace nestora::testing
