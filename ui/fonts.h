// SPDX-License-Identifier: MIT
// The faces the two windows are designed with, and what stands in for them
// on a machine that lacks them (design/look.h), and at last whatever
// fontconfig calls cursive for the decorative faces. Each face is looked up once and
// the fonts name the one family that is drawn for it, so that Qt goes to it
// directly instead of asking fontconfig about faces that are not there.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

#include "design/look.h"

namespace nestora {

// Each designed face first, then what stands in for it, best first.
QStringList FacesOf(const design::FontDesign& font);
inline const QStringList ArialFaces = FacesOf(design::ArialBold16);
inline const QStringList TitleFaces = FacesOf(design::TitleFont);
inline const QStringList HandwritingFaces = FacesOf(design::HandwritingFont);
inline const QStringList HelpFaces = FacesOf(design::HelpFont);

// The family drawn for `faces`: the first of them that is installed, or,
// when none is, the one Qt picks for the list with that style hint.
QString DrawnFamily(const QStringList& faces, QFont::StyleHint hint);

// "Arial", bold, 16-pixel character height: every label and field of the
// main window except the title.
QFont ArialBold16();

// "ParkAvenue BT", bold, italic, underlined, 32 pixels: the title label.
QFont TitleFont();

// "Lucida Handwriting", bold, 35 pixels: the main window's own font, which
// no visible text uses because every control sets its own.
QFont HandwritingFont();

// "MS Sans Serif", regular, 13 pixels: the help window and its text box.
QFont HelpFont();

}  // namespace nestora
