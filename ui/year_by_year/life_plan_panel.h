// SPDX-License-Identifier: MIT
// "Your plan" in the Year by Year window: the age now, how fast savings
// grow, what you spend, the spending rule (written out below it), the other
// income streams and the one-off sums. Closed, it is one line that sums up
// the plan; "Your plan" (Alt+Y) opens and closes it.
//
// Every edit is read at once (ReadLifePlanTexts). A sound plan replaces
// lifePlan() and `changed` is emitted; a bad entry is shown in a warning
// that names it, the inputs keep what was typed and lifePlan() stays the
// last sound plan until the entry is mended. The inputs as typed are kept
// between runs (LifePlanSettings), written once they have settled for half
// a second and when the panel goes.
#pragma once

#include <QTimer>
#include <QWidget>

#include "schedule/life_plan.h"
#include "schedule/life_plan_texts.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace nestora {

class EditTable;

class LifePlanPanel : public QWidget {
    Q_OBJECT
  public:
    // Amounts are typed and shown with `decimalSeparator`, the user's symbol.
    explicit LifePlanPanel(char decimalSeparator, QWidget* parent = nullptr);
    ~LifePlanPanel() override;

    // The last sound plan the inputs described.
    const LifePlan& lifePlan() const { return life_; }
    // The warning about a bad entry; empty when every entry is sound.
    QString problem() const;
    LifePlanTexts texts() const;
    // Puts `texts` in the inputs as if typed.
    void setTexts(const LifePlanTexts& texts);
    void setLifePlan(const LifePlan& life);
    bool isOpen() const;
    void setOpen(bool open);
    QString summary() const;

    QToolButton& openButton() const { return *open_; }
    QLineEdit& ageBox() const { return *age_; }
    QLineEdit& growthBox() const { return *growth_; }
    QLineEdit& spendBox() const { return *spend_; }
    QComboBox& ruleBox() const { return *rule_; }
    EditTable& incomes() const { return *incomes_; }
    EditTable& oneOffs() const { return *oneOffs_; }

  signals:
    void changed();

  private:
    QWidget* makeInputs();
    QWidget* makeTables();
    void read();
    void remember();
    void showSummary();

    char separator_;
    LifePlan life_;
    QToolButton* open_;
    QLabel* summary_;
    QWidget* inputs_ = nullptr;
    QWidget* body_;
    QLineEdit* age_;
    QLineEdit* growth_;
    QLineEdit* spend_;
    QComboBox* rule_;
    QLabel* ruleText_;
    EditTable* incomes_;
    EditTable* oneOffs_;
    QLabel* warning_;
    bool filling_ = false;
    QTimer remember_;
};

}  // namespace nestora
