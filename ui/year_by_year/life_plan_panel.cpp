// SPDX-License-Identifier: MIT
#include "ui/year_by_year/life_plan_panel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/year_by_year/life_plan_settings.h"
#include "ui/year_by_year/life_plan_tables.h"

namespace nestora {

namespace {

// "A&ge now [  ]": the label carries the mnemonic, the box its name and its
// one line of explanation.
QLineEdit* AddInput(QHBoxLayout& row, const QString& label, const QString& after,
                    const QString& tip, int characters) {
    auto* box = new QLineEdit;
    auto* before = new QLabel(label);
    before->setBuddy(box);
    box->setAccessibleName(QString(label).remove('&') + (after.isEmpty() ? "" : " " + after));
    box->setToolTip(tip);
    box->setAccessibleDescription(tip);
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance('0') * characters + 16);
    row.addWidget(before);
    row.addWidget(box);
    if (!after.isEmpty()) row.addWidget(new QLabel(after));
    row.addSpacing(8);
    return box;
}

QString Amount(Extended value) { return QLocale().toString(fp::toDouble(value), 'f', 0); }

// A table as tall as its header and two rows; more scroll.
void TwoRowsTall(QTableWidget& table) {
    const int rows = table.verticalHeader()->defaultSectionSize() * 2;
    table.setFixedHeight(table.horizontalHeader()->sizeHint().height() + rows +
                         2 * table.frameWidth());
}

}  // namespace

LifePlanPanel::LifePlanPanel(char decimalSeparator, QWidget* parent)
    : QWidget(parent),
      separator_(decimalSeparator),
      open_(new QToolButton),
      summary_(new QLabel),
      body_(new QWidget),
      warning_(new QLabel) {
    setObjectName("LifePlan");
    open_->setObjectName("LifePlanOpen");
    open_->setText("&Your plan");
    open_->setCheckable(true);
    open_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    open_->setAutoRaise(true);
    open_->setAccessibleName("Your plan");
    open_->setToolTip(
        "Shows or hides your age, growing savings, other income, what you spend, "
        "one-off sums and the spending rule");
    summary_->setObjectName("LifePlanSummary");
    summary_->setWordWrap(true);
    warning_->setObjectName("LifePlanWarning");
    warning_->setWordWrap(true);
    warning_->setStyleSheet("color: #b00020; font-weight: bold;");
    warning_->hide();

    // Open, the inputs stand beside the button where the summary stood
    // closed; the rule's text and the tables go under them.
    inputs_ = makeInputs();
    auto* bodyLayout = new QVBoxLayout(body_);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    bodyLayout->setSpacing(2);
    bodyLayout->addWidget(ruleText_);
    bodyLayout->addWidget(makeTables());

    auto* head = new QHBoxLayout;
    head->addWidget(open_);
    head->addWidget(summary_, 1);
    head->addWidget(inputs_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(head);
    layout->addWidget(body_);
    layout->addWidget(warning_);

    remember_.setSingleShot(true);
    remember_.setInterval(500);
    connect(&remember_, &QTimer::timeout, this, &LifePlanPanel::remember);
    const LifePlanSettings settings = LoadLifePlanSettings();
    setTexts(settings.texts);
    setOpen(settings.open);
    remember_.stop();  // nothing typed yet
    connect(open_, &QToolButton::toggled, this, [this](bool open) {
        setOpen(open);
        remember_.start();
    });
    for (QLineEdit* box : {age_, growth_, spend_})
        connect(box, &QLineEdit::textEdited, this, &LifePlanPanel::read);
    connect(rule_, &QComboBox::currentIndexChanged, this, &LifePlanPanel::read);
    connect(incomes_, &EditTable::edited, this, &LifePlanPanel::read);
    connect(oneOffs_, &EditTable::edited, this, &LifePlanPanel::read);
    connect(incomes_, &EditTable::addAsked, this, [this] {
        incomes_->addRow({"Pension", "0", age_->text().isEmpty() ? "1" : "a67", "", "1"});
    });
    connect(oneOffs_, &EditTable::addAsked, this, [this] { oneOffs_->addRow({"0", "1"}); });
}

LifePlanPanel::~LifePlanPanel() {
    if (!remember_.isActive()) return;
    try {
        remember();
    } catch (...) {
        // A settings file that cannot be written loses the last inputs only.
    }
}

QWidget* LifePlanPanel::makeInputs() {
    auto* inputs = new QWidget;
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    age_ = AddInput(*row, "A&ge now", "",
                    "Your age today (15 to 100), so that each year shows your age and its "
                    "calendar year; empty leaves ages out",
                    3);
    age_->setObjectName("AgeNow");
    growth_ = AddInput(*row, "Savings gro&w by", "% a year",
                       "How much your yearly saving grows each year, as with your pay (-20 to "
                       "50 %); 0 keeps it the same",
                       4);
    growth_->setObjectName("SavingGrowth");
    spend_ = AddInput(*row, "You sp&end", "a year",
                      "What you spend a year in retirement in today's money, other income "
                      "included; empty: savings pay the main window's draw",
                      9);
    spend_->setObjectName("SpendToday");
    rule_ = new QComboBox;
    rule_->setObjectName("SpendingRule");
    for (const SpendingRule rule :
         {SpendingRule::Fixed, SpendingRule::Percent, SpendingRule::Guardrails})
        rule_->addItem(SpendingRuleName(rule));
    auto* ruleLabel = new QLabel("R&ule");
    ruleLabel->setBuddy(rule_);
    rule_->setAccessibleName("Spending rule");
    rule_->setToolTip("How savings pay in retirement: the rule is written out below");
    row->addWidget(ruleLabel);
    row->addWidget(rule_);
    row->addStretch(1);
    ruleText_ = new QLabel;
    ruleText_->setObjectName("SpendingRuleText");
    ruleText_->setWordWrap(true);
    row->setContentsMargins(0, 0, 0, 0);
    inputs->setLayout(row);
    return inputs;
}

QWidget* LifePlanPanel::makeTables() {
    const QString when = "a year as the table counts it (1 = the first year) or an age (a67)";
    incomes_ = new EditTable(
        "Other income in retirement", {"Other income", "A year", "From", "To", "Indexed"},
        {"What the income is, for you to recognise it", "What it pays a year, in today's money",
         "The first year it is paid: " + when, "The last year it is paid, empty: to the end",
         "Ticked, it keeps pace with inflation; not ticked, it stays the "
         "same sum in money of its years"},
        4);
    incomes_->setObjectName("Incomes");
    oneOffs_ = new EditTable("One-off sums", {"One-off sum", "Year or age"},
                             {"A sum in today's money added at the end of its year (a house "
                              "sale), or taken when negative (a new roof)",
                              "Its year: " + when},
                             -1);
    oneOffs_->setObjectName("OneOffs");
    for (EditTable* table : {incomes_, oneOffs_}) TwoRowsTall(table->table());
    auto* tables = new QWidget;
    auto* layout = new QHBoxLayout(tables);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(incomes_, 3);
    layout->addWidget(oneOffs_, 2);
    return tables;
}

QString LifePlanPanel::problem() const { return warning_->text(); }

LifePlanTexts LifePlanPanel::texts() const {
    LifePlanTexts texts;
    texts.age = age_->text().toStdString();
    texts.growth = growth_->text().toStdString();
    texts.spend = spend_->text().toStdString();
    texts.rule = static_cast<SpendingRule>(rule_->currentIndex());
    texts.incomes = IncomesOf(incomes_->rows());
    texts.oneOffs = OneOffsOf(oneOffs_->rows());
    return texts;
}

void LifePlanPanel::setTexts(const LifePlanTexts& texts) {
    filling_ = true;
    age_->setText(QString::fromStdString(texts.age));
    growth_->setText(QString::fromStdString(texts.growth));
    spend_->setText(QString::fromStdString(texts.spend));
    rule_->setCurrentIndex(static_cast<int>(texts.rule));
    incomes_->setRows(IncomeRows(texts.incomes));
    oneOffs_->setRows(OneOffRows(texts.oneOffs));
    filling_ = false;
    read();
}

void LifePlanPanel::setLifePlan(const LifePlan& life) {
    setTexts(TextsOfLifePlan(life, separator_));
}

bool LifePlanPanel::isOpen() const { return !body_->isHidden(); }

void LifePlanPanel::setOpen(bool open) {
    open_->setChecked(open);
    open_->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
    body_->setVisible(open);
    inputs_->setVisible(open);
    summary_->setVisible(!open);
    showSummary();
}

// Reads every input; a sound plan replaces the one shown.
void LifePlanPanel::read() {
    if (filling_) return;
    const LifePlanTexts typed = texts();
    const LifePlanReading reading = ReadLifePlanTexts(typed, separator_);
    ruleText_->setText(QString::fromStdString(SpendingRuleText(typed.rule)));
    remember_.start();
    if (!reading.problem.empty()) {
        warning_->setText(QString::fromStdString(reading.problem) +
                          " Until it is mended the table follows your plan as it was before.");
        warning_->show();
        return;
    }
    warning_->clear();
    warning_->hide();
    life_ = reading.life;
    showSummary();
    emit changed();
}

QString LifePlanPanel::summary() const { return summary_->text(); }

void LifePlanPanel::showSummary() {
    if (isOpen()) {
        summary_->clear();
        return;
    }
    QStringList parts;
    if (life_.ageNow) parts << QString("age %1").arg(*life_.ageNow);
    if (life_.savingGrowth != 0)
        parts << QString("savings grow %1 % a year")
                     .arg(QLocale().toString(fp::toDouble(life_.savingGrowth) * 100));
    if (life_.spendToday) parts << "you spend " + Amount(*life_.spendToday) + " a year";
    if (!life_.incomes.empty())
        parts << (life_.incomes.size() == 1
                      ? QString("1 other income")
                      : QString("%1 other incomes").arg(life_.incomes.size()));
    if (!life_.oneOffs.empty())
        parts << (life_.oneOffs.size() == 1 ? QString("1 one-off sum")
                                            : QString("%1 one-off sums").arg(life_.oneOffs.size()));
    if (life_.rule != SpendingRule::Fixed) parts << QString(SpendingRuleName(life_.rule)) + " rule";
    summary_->setText(parts.isEmpty() ? "The six values alone: open to add your age, other "
                                        "income, what you spend and one-off sums."
                                      : parts.join(", ") + ".");
}

void LifePlanPanel::remember() {
    remember_.stop();
    SaveLifePlanSettings({.texts = texts(), .open = isOpen()});
}

}  // namespace nestora
