// SPDX-License-Identifier: MIT
// A main window built as the program builds it, over a recording desktop and
// a settings file in a folder of the test's own.
#pragma once

#include <gtest/gtest.h>

#include <QLineEdit>
#include <memory>

#include "support/first_run.h"
#include "support/recording_desktop.h"
#include "ui/help_window.h"
#include "ui/nestora_window.h"
#include "ui/qt_test_support.h"

namespace nestora::testing {

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override { App(); }

    // Builds the main window (which runs FormCreate) and the help window.
    TNestoraF& create() {
        window = std::make_unique<TNestoraF>(desktop, SettingsLocation{settings.path(), {}},
                                             decimalSeparator);
        help = std::make_unique<TNestoraFhelp>();
        window->setHelpWindow(help.get());
        return *window;
    }

    TNestoraF& start() {
        create();
        window->show();
        return *window;
    }

    QLineEdit& edit(const char* name) const {
        auto* found = window->findChild<QLineEdit*>(name);
        if (found == nullptr) {
            throw std::logic_error(std::string("no field ") + name);
        }
        return *found;
    }

    std::string text(const char* name) const { return edit(name).text().toStdString(); }

    // The six entry fields' texts in the order of AllEntries, the four
    // results' in the order of AllResults.
    EntryTexts entryTexts() const {
        return {text("Edit1"),  text("Edit2"), text("Edit9"),
                text("Edit10"), text("Edit8"), text("Edit11")};
    }
    ResultTexts resultTexts() const {
        return {text("Edit3"), text("Edit4"), text("Edit5"), text("Edit6")};
    }

    ModalWatchdog watchdog;
    char decimalSeparator = '.';  // the user's symbol, as the program reads it
    SettingsFolder settings;
    RecordingDesktop desktop;
    std::unique_ptr<TNestoraF> window;
    std::unique_ptr<TNestoraFhelp> help;
};

}  // namespace nestora::testing
