// SPDX-License-Identifier: MIT
// The peer of Nestora at start-up: a bare Qt window of the same shape (a
// QMainWindow of the same client size with a menu bar of three items and ten
// line edits in the same places), in the toolkit's default font. It runs
// until its window is closed; bench/startup.sh times it from outside.
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Tobrel");
    QMenu* file = window.menuBar()->addMenu("&File");
    file->addAction("&Exit");
    window.menuBar()->addAction("&Help");
    window.menuBar()->addAction("&Tobrel Home Page");
    auto* client = new QWidget(&window);
    client->setFixedSize(510, 530);
    window.setCentralWidget(client);
    const QPoint places[] = {{366, 46},  {366, 85},  {366, 124}, {365, 163}, {365, 202},
                             {365, 241}, {359, 301}, {359, 357}, {359, 413}, {359, 470}};
    for (const QPoint& place : places) {
        auto* edit = new QLineEdit("50000", client);
        edit->setGeometry(QRect(place, QSize(113, 27)));
    }
    window.move(10, 10);
    window.show();
    return app.exec();
}
