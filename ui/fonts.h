// SPDX-License-Identifier: MIT
// The faces the two windows are designed with, and what stands in for them
// on a machine that lacks them. "Arial" resolves through fontconfig's alias
// to the metric-compatible Liberation Sans; the two decorative faces fall
// back to an installed script face (Dancing Script from fonts-dancingscript,
// then URW's Z003 chancery) and at last to whatever fontconfig calls cursive.
#pragma once

#include <QFont>

namespace nestora {

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
