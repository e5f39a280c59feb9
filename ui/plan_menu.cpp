// SPDX-License-Identifier: MIT
// The main window's File menu beyond its design: Open Plan… and Save Plan
// As…, plan documents that hold the six values and Year by Year's inputs.
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

#include "document/plan_document.h"
#include "number/errors.h"
#include "projection/catch_point.h"
#include "ui/nestora_window.h"

namespace nestora {

namespace {

const QString PlanFilter = QString("Nestora plans (*%1);;All files (*)").arg(PlanDocumentExtension);

// A field's text with the user's decimal symbol in place of the point, and back.
QString Shown(const std::string& text, char separator) {
    QString shown = QString::fromStdString(text);
    if (separator != '.') shown.replace('.', QChar(separator));
    return shown;
}

std::string Stored(const QString& text, char separator) {
    QString stored = text;
    if (separator != '.') stored.replace(QChar(separator), '.');
    return stored.toStdString();
}

std::string Native(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

void TNestoraF::askPlanPathsWithDialogs() {
    askOpenPlanPath = [this](const QString& folder) {
        return QFileDialog::getOpenFileName(this, "Open Plan", folder, PlanFilter);
    };
    askSavePlanPath = [this](const QString& folder) {
        return QFileDialog::getSaveFileName(
            this, "Save Plan As", QDir(folder).filePath(QString("plan") + PlanDocumentExtension),
            PlanFilter);
    };
}

YearByYearInputs& TNestoraF::yearByYearInputs() {
    if (!yearByYear_) yearByYear_.reset(yearByYearMaker_(planner_, desktop_, title_));
    auto* inputs = dynamic_cast<YearByYearInputs*>(yearByYear_.get());
    if (inputs == nullptr) throw Error("The Year by Year window keeps no plan inputs");
    return *inputs;
}

void TNestoraF::OpenPlan1Click() {
    caught([this] {
        const QString path = askOpenPlanPath(yearByYearInputs().planFolder());
        if (!path.isEmpty()) openPlan(path);
    });
}

void TNestoraF::SavePlanAs1Click() {
    caught([this] {
        QString path = askSavePlanPath(yearByYearInputs().planFolder());
        if (path.isEmpty()) return;
        if (QFileInfo(path).suffix().isEmpty()) path += PlanDocumentExtension;
        savePlanAs(path);
    });
}

bool TNestoraF::openPlan(const QString& path) {
    const PlanDocumentRead read = ReadPlanDocument(Native(path));
    if (!read.document) {
        desktop_.errorBox(title_, ErrorBoxText(read.error));
        return false;
    }
    return caught([&] {
        YearByYearInputs& inputs = yearByYearInputs();
        const std::array<QLineEdit*, 6> fields = {ui_.Edit1,  ui_.Edit2, ui_.Edit9,
                                                  ui_.Edit10, ui_.Edit8, ui_.Edit11};
        for (std::size_t k = 0; k < fields.size(); ++k)
            fields[k]->setText(Shown(read.document->fields[k], planner_.decimalSeparator()));
        inputs.takeDocument(*read.document);
        inputs.rememberPlanFolder(path);
    });
}

bool TNestoraF::savePlanAs(const QString& path) {
    return caught([&] {
        YearByYearInputs& inputs = yearByYearInputs();
        PlanDocument document;
        const std::array<const QLineEdit*, 6> fields = {ui_.Edit1,  ui_.Edit2, ui_.Edit9,
                                                        ui_.Edit10, ui_.Edit8, ui_.Edit11};
        for (std::size_t k = 0; k < fields.size(); ++k)
            document.fields[k] = Stored(fields[k]->text(), planner_.decimalSeparator());
        std::string problem;
        if (!inputs.fillDocument(document, problem))
            throw Error("The plan is not saved: Year by Year's \"Your plan\" has a bad entry. " +
                        problem);
        const std::string native = Native(path);
        if (const std::int32_t code = WritePlanDocument(document, native))
            throw Error(PlanDocumentWriteError(QDir::toNativeSeparators(path).toStdString(), code));
        inputs.rememberPlanFolder(path);
    });
}

}  // namespace nestora
