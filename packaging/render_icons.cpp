// SPDX-License-Identifier: MIT
// Writes the program's icons as the files a desktop theme wants, from the
// same pictures the program draws for its windows:
//   <folder>/16.png   the 16 × 16 window icon;
//   <folder>/32.png   the 32 × 32 program icon;
//   <folder>/icon.svg the program icon as a vector picture, one square per
//                     pixel, so it scales to any size without blurring.
// Usage: nestora-render-icons <folder>
#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QString>
#include <cstdio>
#include <map>

#include "ui/icons.h"

namespace {

bool SavePng(const QImage& image, const QString& path) {
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// The green background fills the whole square; every run of another colour
// along a row becomes one rectangle, one pixel high, in that colour's path.
QByteArray Svg(const QImage& image) {
    const QRgb background = nestora::IconGreen.rgb();
    std::map<QRgb, QByteArray> paths;
    for (int y = 0; y < image.height(); ++y) {
        int x = 0;
        while (x < image.width()) {
            const QRgb colour = image.pixel(x, y);
            int end = x + 1;
            while (end < image.width() && image.pixel(end, y) == colour) {
                ++end;
            }
            if (colour != background) {
                const QByteArray run = QByteArray::number(end - x);
                paths[colour] += "M" + QByteArray::number(x) + " " + QByteArray::number(y) + "h" +
                                 run + "v1h-" + run + "z";
            }
            x = end;
        }
    }
    const QByteArray size = QByteArray::number(image.width());
    QByteArray svg;
    svg += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + size + "\" height=\"" + size +
           "\" viewBox=\"0 0 " + size + " " + size + "\" shape-rendering=\"crispEdges\">\n";
    svg += "  <rect width=\"" + size + "\" height=\"" + size + "\" fill=\"" +
           QColor(background).name().toLatin1() + "\"/>\n";
    for (const auto& [colour, path] : paths) {
        svg += "  <path fill=\"" + QColor(colour).name().toLatin1() + "\" d=\"" + path + "\"/>\n";
    }
    svg += "</svg>\n";
    return svg;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QImage program = nestora::ProgramIconImage();
    if (!SavePng(nestora::WindowIconImage(), folder + "/16.png") ||
        !SavePng(program, folder + "/32.png")) {
        return 1;
    }
    QFile svg(folder + "/icon.svg");
    if (!svg.open(QIODevice::WriteOnly) || svg.write(Svg(program)) < 0 || !svg.flush()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(svg.fileName()));
        return 1;
    }
    return 0;
}
