// SPDX-License-Identifier: MIT
#include "ui/fonts.h"

#include <QFontDatabase>
#include <QFontInfo>

namespace nestora {

QStringList FacesOf(const design::FontDesign& font) {
    QStringList faces{font.face};
    for (const char* standIn : font.standIns)
        if (standIn != nullptr) faces << standIn;
    return faces;
}

// Qt's list of installed families is read once at start-up anyway. Given a
// family that is not in it, Qt asks fontconfig to resolve the name as an
// alias and to sort every installed face as a fallback, and goes on to the
// next name of the list; given the family it will draw, it finds it at once.
QString DrawnFamily(const QStringList& faces, QFont::StyleHint hint) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& face : faces) {
        const qsizetype at = installed.indexOf(face);
        if (at >= 0) return installed[at];
    }
    QFont wanted;
    wanted.setFamilies(faces);
    wanted.setStyleHint(hint);
    return QFontInfo(wanted).family();
}

namespace {

QFont Face(const QString& family, QFont::StyleHint hint, const design::FontDesign& designed) {
    QFont font(family);
    font.setStyleHint(hint);
    font.setPixelSize(designed.pixels);
    font.setBold(designed.bold);
    font.setItalic(designed.italic);
    font.setUnderline(designed.underline);
    // Whole-pixel glyph advances, as the captions were spaced with: a run of
    // dots or blanks would otherwise grow by a fraction of a pixel per
    // character and push a "%" or "$" under its field.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

}  // namespace

QFont ArialBold16() {
    static const QString family = DrawnFamily(ArialFaces, QFont::SansSerif);
    return Face(family, QFont::SansSerif, design::ArialBold16);
}

QFont TitleFont() {
    static const QString family = DrawnFamily(TitleFaces, QFont::Cursive);
    return Face(family, QFont::Cursive, design::TitleFont);
}

QFont HandwritingFont() {
    static const QString family = DrawnFamily(HandwritingFaces, QFont::Cursive);
    return Face(family, QFont::Cursive, design::HandwritingFont);
}

QFont HelpFont() {
    static const QString family = DrawnFamily(HelpFaces, QFont::SansSerif);
    return Face(family, QFont::SansSerif, design::HelpFont);
}

}  // namespace nestora
