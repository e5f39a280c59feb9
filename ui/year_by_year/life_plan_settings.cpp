// SPDX-License-Identifier: MIT
#include "ui/year_by_year/life_plan_settings.h"

#include <QSettings>
#include <QString>

#include "ui/year_by_year/year_by_year_settings.h"

namespace nestora {

namespace {

std::string Text(const QSettings& store, const char* key, const std::string& fallback = {}) {
    const QVariant value = store.value(key);
    return value.isValid() ? value.toString().toStdString() : fallback;
}

void Put(QSettings& store, const char* key, const std::string& text) {
    store.setValue(key, QString::fromStdString(text));
}

}  // namespace

LifePlanSettings LoadLifePlanSettings() {
    LifePlanSettings settings;
    if (!YearByYearSettingsRefusal().isEmpty()) return settings;
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, "nestora", "year-by-year");
    store.beginGroup("plan");
    LifePlanTexts& texts = settings.texts;
    settings.open = store.value("open", false).toBool();
    texts.age = Text(store, "age");
    texts.growth = Text(store, "growth");
    texts.spend = Text(store, "spend");
    texts.rule = SpendingRuleNamed(Text(store, "rule")).value_or(SpendingRule::Fixed);
    const int incomes = store.beginReadArray("incomes");
    for (int k = 0; k < incomes; ++k) {
        store.setArrayIndex(k);
        texts.incomes.push_back({.name = Text(store, "name"),
                                 .amount = Text(store, "amount"),
                                 .from = Text(store, "from", "1"),
                                 .to = Text(store, "to"),
                                 .indexed = store.value("indexed", true).toBool()});
    }
    store.endArray();
    const int oneOffs = store.beginReadArray("oneoffs");
    for (int k = 0; k < oneOffs; ++k) {
        store.setArrayIndex(k);
        texts.oneOffs.push_back({.amount = Text(store, "amount"), .at = Text(store, "at", "1")});
    }
    store.endArray();
    return settings;
}

bool SaveLifePlanSettings(const LifePlanSettings& settings) {
    if (!YearByYearSettingsRefusal().isEmpty()) return false;
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, "nestora", "year-by-year");
    store.remove("plan");
    store.beginGroup("plan");
    const LifePlanTexts& texts = settings.texts;
    store.setValue("open", settings.open);
    Put(store, "age", texts.age);
    Put(store, "growth", texts.growth);
    Put(store, "spend", texts.spend);
    Put(store, "rule", SpendingRuleName(texts.rule));
    store.beginWriteArray("incomes", static_cast<int>(texts.incomes.size()));
    for (std::size_t k = 0; k < texts.incomes.size(); ++k) {
        store.setArrayIndex(static_cast<int>(k));
        const IncomeTexts& income = texts.incomes[k];
        Put(store, "name", income.name);
        Put(store, "amount", income.amount);
        Put(store, "from", income.from);
        Put(store, "to", income.to);
        store.setValue("indexed", income.indexed);
    }
    store.endArray();
    store.beginWriteArray("oneoffs", static_cast<int>(texts.oneOffs.size()));
    for (std::size_t k = 0; k < texts.oneOffs.size(); ++k) {
        store.setArrayIndex(static_cast<int>(k));
        Put(store, "amount", texts.oneOffs[k].amount);
        Put(store, "at", texts.oneOffs[k].at);
    }
    store.endArray();
    store.endGroup();
    store.sync();
    return store.status() == QSettings::NoError;
}

}  // namespace nestora
