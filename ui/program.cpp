// SPDX-License-Identifier: MIT
#include "ui/program.h"

#include <QApplication>
#include <utility>

#include "number/arith.h"
#include "number/locale_separator.h"
#include "ui/help_window.h"
#include "ui/icons.h"
#include "ui/nestora_window.h"
#include "ui/qt_desktop.h"

namespace nestora {

int RunNestora(QApplication& app, SettingsLocation settings,
               const std::function<void(QWidget&)>& beforeLoop) {
    InitArithmetic();
    QApplication::setWindowIcon(WindowIcon());

    QtDesktop desktop;
    TNestoraF main(desktop, std::move(settings), ReadLocaleDecimalSeparator());
    TNestoraFhelp help;
    main.setHelpWindow(&help);
    main.show();
    if (beforeLoop) beforeLoop(main);
    return app.exec();
}

}  // namespace nestora
