// SPDX-License-Identifier: MIT
#include "ui/program.h"

#include <QApplication>
#include <QFile>
#include <QTimer>
#include <cstdio>
#include <utility>

#include "number/arith.h"
#include "number/locale_separator.h"
#include "ui/close_signals.h"
#include "ui/icons.h"
#include "ui/nestora_window.h"
#include "ui/qt_desktop.h"
#include "ui/single_instance.h"

namespace nestora {

int RunNestora(QApplication& app, SettingsLocation settings,
               const std::function<void(QWidget&)>& beforeLoop, const std::string& plan) {
    InitArithmetic();
    QApplication::setWindowIcon(WindowIcon());

    // One window per settings file: a later start shows the running one.
    SingleInstance instance(settings.path);
    if (!instance.first()) {
        if (instance.askFirstToShow(10000, QFile::decodeName(plan.c_str()))) return 0;
        std::fprintf(stderr, "nestora: %s is in use by another Nestora that does not answer\n",
                     settings.path.c_str());
        return 1;
    }

    QtDesktop desktop;
    TNestoraF main(desktop, std::move(settings), ReadLocaleDecimalSeparator());
    instance.onShowRequest([&main](const QString& document) {
        main.bringToFront();
        if (!document.isEmpty()) main.openPlan(document);
    });
    const CloseOnSignals closeOnSignals(main);
    main.show();
    if (!plan.empty())
        QTimer::singleShot(0, &main,
                           [&main, &plan] { main.openPlan(QFile::decodeName(plan.c_str())); });
    if (beforeLoop) beforeLoop(main);
    return app.exec();
}

}  // namespace nestora
