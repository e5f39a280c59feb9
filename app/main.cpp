// SPDX-License-Identifier: MIT
#include <QApplication>

#include "ui/program.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    return nestora::RunNestora(app);
}
