// SPDX-License-Identifier: MIT
// Each designed face is named by the one family that is drawn for it, and a
// font so named draws exactly what the designed list of names drew.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <functional>

#include "ui/fonts.h"
#include "ui/qt_test_support.h"

namespace nestora::testing {
namespace {

// The text drawn in black on white, in an image just big enough.
QImage Drawn(const QFont& font, const QString& text) {
    const QFontMetrics metrics(font);
    QImage image(metrics.boundingRect(text).size() + QSize(8, 8), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPoint(4, 4 + metrics.ascent()), text);
    return image;
}

struct FaceRow {
    const char* name;
    std::function<QFont()> face;
    const QStringList* designed;
    const char* sample;
};

const FaceRow Faces[] = {
    {"ArialBold16", ArialBold16, &ArialFaces, "Saving Adjusted for Inflation......$ 440597"},
    {"TitleFont", TitleFont, &TitleFaces, "Nestora"},
    {"HandwritingFont", HandwritingFont, &HandwritingFaces, "Tobrel"},
    {"HelpFont", HelpFont, &HelpFaces, "  3-Estimated Average Investment  Return. Typical 5-9%"},
};

TEST(Fonts, EachFaceNamesTheFamilyDrawnAndDrawsWhatTheDesignedNamesDrew) {
    App();
    const QStringList installed = QFontDatabase::families();
    for (const FaceRow& row : Faces) {
        SCOPED_TRACE(row.name);
        const QFont font = row.face();
        ASSERT_EQ(font.families().size(), 1);
        EXPECT_TRUE(installed.contains(font.families().front()));
        // The same font as the program built it before, by its list of names.
        QFont designed = font;
        designed.setFamilies(*row.designed);
        EXPECT_EQ(QFontInfo(font).family(), QFontInfo(designed).family());
        EXPECT_EQ(QFontInfo(font).styleName(), QFontInfo(designed).styleName());
        EXPECT_EQ(Drawn(font, row.sample), Drawn(designed, row.sample));
    }
}

TEST(Fonts, DrawnFamilyTakesTheFirstInstalledNameOrElseQtsChoice) {
    App();
    EXPECT_EQ(DrawnFamily({"No Such Face", "Liberation Sans", "DejaVu Sans"}, QFont::SansSerif),
              "Liberation Sans");
    EXPECT_EQ(DrawnFamily({"liberation sans"}, QFont::SansSerif), "Liberation Sans");
    for (QFont::StyleHint hint : {QFont::SansSerif, QFont::Serif, QFont::Cursive}) {
        QFont missing;
        missing.setFamilies({"No Such Face", "Nor This One"});
        missing.setStyleHint(hint);
        EXPECT_EQ(DrawnFamily(missing.families(), hint), QFontInfo(missing).family()) << hint;
    }
}

}  // namespace
}  // namespace nestora::testing
