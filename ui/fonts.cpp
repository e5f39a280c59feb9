// SPDX-License-Identifier: MIT
#include "ui/fonts.h"

#include <QStringList>

namespace nestora {

namespace {

QFont Face(const QStringList& families, QFont::StyleHint hint, int pixels, bool bold) {
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(hint);
    font.setPixelSize(pixels);
    font.setBold(bold);
    // Whole-pixel glyph advances, as the captions were spaced with: a run of
    // dots or blanks would otherwise grow by a fraction of a pixel per
    // character and push a "%" or "$" under its field.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// Installed script faces, best first, tried after the designed one.
const QStringList ScriptFallbacks = {"Dancing Script", "Z003", "URW Chancery L"};

}  // namespace

QFont ArialBold16() { return Face({"Arial", "Liberation Sans"}, QFont::SansSerif, 16, true); }

QFont TitleFont() {
    QFont font = Face(QStringList{"ParkAvenue BT"} + ScriptFallbacks, QFont::Cursive, 32, true);
    font.setItalic(true);
    font.setUnderline(true);
    return font;
}

QFont HandwritingFont() {
    return Face(QStringList{"Lucida Handwriting"} + ScriptFallbacks, QFont::Cursive, 35, true);
}

QFont HelpFont() {
    return Face({"MS Sans Serif", "Liberation Sans", "Arial"}, QFont::SansSerif, 13, false);
}

}  // namespace nestora
