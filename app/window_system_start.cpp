// SPDX-License-Identifier: MIT
#include "app/window_system_start.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace nestora {

namespace {

struct HeldMessage {
    QtMsgType type;
    const char* file;  // the context's texts are Qt's own literals
    int line;
    const char* function;
    const char* category;
    QString text;
};

QtMessageHandler passedOn = nullptr;
std::vector<HeldMessage> held;

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// Why the window cannot open: no display named at all, or what Qt said
// first ("could not connect to display :7").
std::string NoDisplayReason(const QString& fatal) {
    if (Variable("DISPLAY").empty() && Variable("WAYLAND_DISPLAY").empty() &&
        Variable("QT_QPA_PLATFORM").empty())
        return "no display (DISPLAY is not set)";
    const QString said = held.empty() ? fatal : held.front().text;
    return said.section('\n', 0, 0).trimmed().toStdString();
}

void Hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "nestora: cannot open the window: %s\n",
                     NoDisplayReason(text).c_str());
        std::fflush(stderr);
        std::_Exit(1);
    }
    held.push_back({type, context.file, context.line, context.function, context.category, text});
}

}  // namespace

WindowSystemStart::WindowSystemStart() { passedOn = qInstallMessageHandler(Hold); }

WindowSystemStart::~WindowSystemStart() {
    qInstallMessageHandler(passedOn);
    for (const HeldMessage& m : held)
        qt_message_output(m.type, QMessageLogContext(m.file, m.line, m.function, m.category),
                          m.text);
    held.clear();
}

}  // namespace nestora
