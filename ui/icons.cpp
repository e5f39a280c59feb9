// SPDX-License-Identifier: MIT
#include "ui/icons.h"

#include <QPixmap>
#include <map>
#include <string>
#include <vector>

namespace nestora {

namespace {

// A glyph is rows of '#' (ink) and '.' (background), all of one width.
using Glyph = std::vector<const char*>;

// Capitals three pixels wide and five high, enough to read at icon size.
const std::map<char, Glyph>& Capitals() {
    static const std::map<char, Glyph> glyphs = {
        {'A', {".#.", "#.#", "###", "#.#", "#.#"}}, {'E', {"###", "#..", "##.", "#..", "###"}},
        {'N', {"#.#", "###", "###", "###", "#.#"}}, {'O', {"###", "#.#", "#.#", "#.#", "###"}},
        {'R', {"##.", "#.#", "##.", "#.#", "#.#"}}, {'S', {"###", "#..", "###", "..#", "###"}},
        {'T', {"###", ".#.", ".#.", ".#.", ".#."}}, {'V', {"#.#", "#.#", "#.#", "#.#", ".#."}},
    };
    return glyphs;
}

// In the 16-pixel icon "SAVE" needs fifteen columns for fourteen free ones,
// so its E is the narrow one.
const Glyph NarrowE = {"##", "#.", "##", "#.", "##"};

const Glyph Dollar = {"..#..", ".####", "#.#..", ".###.", "..#.#", "####.", "..#.."};

int Width(const Glyph& glyph) {
    return static_cast<int>(std::char_traits<char>::length(glyph.front()));
}

// Paints the glyph's ink with its top-left at (x, y), each pixel sx × sy.
void Draw(QImage& image, const Glyph& glyph, int x, int y, int sx = 1, int sy = 1) {
    for (int row = 0; row < static_cast<int>(glyph.size()); ++row) {
        for (int col = 0; col < Width(glyph); ++col) {
            if (glyph[row][col] != '#') {
                continue;
            }
            for (int dy = 0; dy < sy; ++dy) {
                for (int dx = 0; dx < sx; ++dx) {
                    image.setPixelColor(x + col * sx + dx, y + row * sy + dy, IconBlack);
                }
            }
        }
    }
}

QImage Square(int size) {
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(IconGreen);
    for (int i = 0; i < size; ++i) {
        image.setPixelColor(i, 0, IconBlue);
        image.setPixelColor(i, size - 1, IconBlue);
        image.setPixelColor(0, i, IconBlue);
        image.setPixelColor(size - 1, i, IconBlue);
    }
    return image;
}

// Writes the word with one blank column between letters, starting at x.
void Word(QImage& image, const std::vector<Glyph>& letters, int x, int y, int sy) {
    for (const Glyph& letter : letters) {
        Draw(image, letter, x, y, 1, sy);
        x += Width(letter) + 1;
    }
}

}  // namespace

QImage WindowIconImage() {
    QImage image = Square(16);
    const auto& caps = Capitals();
    // 3 + 1 + 3 + 1 + 3 + 1 + 2 = 14 columns: x = 1 .. 14.
    Word(image, {caps.at('S'), caps.at('A'), caps.at('V'), NarrowE}, 1, 2, 1);
    Draw(image, Dollar, 5, 8);
    return image;
}

QImage ProgramIconImage() {
    QImage image = Square(32);
    const auto& caps = Capitals();
    std::vector<Glyph> name;
    for (char c : std::string("NESTORA")) {
        name.push_back(caps.at(c));
    }
    // Seven letters of three columns with six gaps: 27 columns, x = 2 .. 28;
    // drawn twice as tall as wide so the word fills the upper third.
    Word(image, name, 2, 3, 2);
    Draw(image, Dollar, 11, 16, 2, 2);
    return image;
}

QIcon WindowIcon() {
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(WindowIconImage()));
    icon.addPixmap(QPixmap::fromImage(ProgramIconImage()));
    return icon;
}

}  // namespace nestora
