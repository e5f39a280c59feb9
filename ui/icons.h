// SPDX-License-Identifier: MIT
// The program's two icons, drawn pixel by pixel in the 16-colour palette:
// a bright green square with a blue border holding black capitals above a
// black dollar sign.
//   WindowIconImage()  16 × 16, "SAVE" — both windows' title bars;
//   ProgramIconImage() 32 × 32, "NESTORA" — the application's icon.
// WindowIcon() carries both sizes, so a title bar picks the small picture
// and a taskbar or switcher the large one.
#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>

namespace nestora {

inline const QColor IconGreen{0x00, 0xFF, 0x00};
inline const QColor IconBlue{0x00, 0x00, 0xFF};
inline const QColor IconBlack{0x00, 0x00, 0x00};

QImage WindowIconImage();
QImage ProgramIconImage();
QIcon WindowIcon();

}  // namespace nestora
