// SPDX-License-Identifier: MIT
#include "settings/settings_file.h"

#include "number/errors.h"
#include "number/integer_text.h"
#include "number/real_item.h"
#include "number/real_to_text.h"
#include "number/round_to_power.h"
#include "number/text_file.h"
#include "projection/catch_point.h"

namespace nestora {

std::string SettingsPath(const std::string& executablePath) {
    const auto slash = executablePath.rfind('/');
    const auto nameStart = slash == std::string::npos ? 0 : slash + 1;
    const auto dot = executablePath.rfind('.');
    if (dot == std::string::npos || dot < nameStart) return executablePath + ".fig";
    return executablePath.substr(0, dot) + ".fig";
}

namespace {

// After a failure the file is still closed; what the close says is dropped,
// because the failure that stopped the work is the one to report.
void CloseAfterFailure(TextFile& file) {
    CloseFile(file);
    IOResultCode = 0;
}

void ReadLines(TextFile& file, Planner& planner, SavedPosition& saved) {
    const auto readInteger = [&file](std::int32_t& target) {
        target = ReadIntegerItem(file);
        SkipLine(file);
        CheckIO();
    };
    const auto readReal = [&file](Extended& target) {
        target = ReadRealItem(file);
        SkipLine(file);
        CheckIO();
    };
    Plan& plan = planner.plan;
    readInteger(saved.SavedTop);
    readInteger(saved.SavedLeft);
    readReal(plan.CurrentSavings);
    readReal(plan.AnnualSavings);
    readReal(plan.InvestmentReturn);
    readReal(plan.InflationRate);
    readReal(plan.RetirementDraw);
    readInteger(plan.YearsToRetirement);
}

void Load(Planner& planner, SavedPosition& saved, const std::string& path, FileSystem& files) {
    TextFile file;
    AssignFile(file, path, files);
    Reset(file);
    CheckIO();
    try {
        ReadLines(file, planner, saved);
    } catch (...) {
        CloseAfterFailure(file);
        throw;
    }
    CloseFile(file);
    CheckIO();
}

// A money value is shown as a whole number (MoneyText, as the results are), a
// rate as a percent with two decimals (the product by 100 is taken in
// extended precision first).

std::string PercentText(Extended rate, char separator) {
    return RealToText(RoundToPower(fp::toDouble(fp::mul(rate, 100)), -2), separator);
}

// Each text that differs from its field's present one runs the field's
// handler, which parses it back into the plan; calculate stays idle meanwhile.
void FillEntries(Planner& planner) {
    const Plan& plan = planner.plan;
    const char point = planner.decimalSeparator();
    planner.entryField(Entry::Edit1).setText(MoneyText(plan.CurrentSavings, point));
    planner.entryField(Entry::Edit2).setText(MoneyText(plan.AnnualSavings, point));
    planner.entryField(Entry::Edit9).setText(PercentText(plan.InvestmentReturn, point));
    planner.entryField(Entry::Edit10).setText(PercentText(plan.InflationRate, point));
    planner.entryField(Entry::Edit8).setText(PercentText(plan.RetirementDraw, point));
    planner.entryField(Entry::Edit11).setText(IntegerToText(plan.YearsToRetirement));
}

void WriteLines(TextFile& file, const Planner& planner, const WindowPlace& window) {
    const auto writeInteger = [&file](std::int32_t value) {
        WriteIntegerItem(file, value);
        WriteLineEnd(file);
        CheckIO();
    };
    const auto writeReal = [&file](Extended value) {
        WriteRealItem(file, value);
        WriteLineEnd(file);
        CheckIO();
    };
    const Plan& plan = planner.plan;
    writeInteger(window.top());
    writeInteger(window.left());
    writeReal(plan.CurrentSavings);
    writeReal(plan.AnnualSavings);
    writeReal(plan.InvestmentReturn);
    writeReal(plan.InflationRate);
    writeReal(plan.RetirementDraw);
    writeInteger(plan.YearsToRetirement);
}

}  // namespace

void ShowPlan(Planner& planner) {
    planner.CalcEnabled = false;
    try {
        FillEntries(planner);
    } catch (...) {
        planner.CalcEnabled = true;
        throw;
    }
    planner.CalcEnabled = true;
    planner.calculate();
}

void readcfg(Planner& planner, SavedPosition& saved, WindowPlace& window, const std::string& path,
             FileSystem& files) {
    if (files.exists(path)) Load(planner, saved, path, files);
    window.setTop(saved.SavedTop);
    window.setLeft(saved.SavedLeft);
    ShowPlan(planner);
}

bool LoadShowingPlan(Planner& planner, SavedPosition& saved, WindowPlace& window,
                     const std::string& path, Desktop& desktop, const std::string& title,
                     const std::string& note, FileSystem& files) {
    bool read = true;
    const auto failure = ErrorOf([&] {
        if (files.exists(path)) {
            try {
                Load(planner, saved, path, files);
            } catch (...) {
                read = false;
                throw;
            }
        }
        window.setTop(saved.SavedTop);
        window.setLeft(saved.SavedLeft);
        ShowPlan(planner);
    });
    if (failure) {
        const std::string text = ErrorBoxText(*failure);
        desktop.errorBox(title, read || note.empty() ? text : text + "\n\n" + note);
    }
    // The window stays where it was: the file's position may be damaged too.
    if (!read) RunCaught(desktop, title, [&] { ShowPlan(planner); });
    return read;
}

std::string DamagedCopyPath(const std::string& path) { return path + ".damaged"; }

std::string DamagedCopyNote(const std::string& path) {
    return "The settings file " + path +
           " could not be read. The window shows the plan as far as it was read; before "
           "the plan is saved, the file is kept as " +
           DamagedCopyPath(path) + ".";
}

std::string SettingsBytes(const Planner& planner, const WindowPlace& window) {
    const Plan& plan = planner.plan;
    std::string bytes;
    for (const std::int32_t value : {window.top(), window.left()})
        bytes += IntegerToText(value) + "\r\n";
    for (const Extended value : {plan.CurrentSavings, plan.AnnualSavings, plan.InvestmentReturn,
                                 plan.InflationRate, plan.RetirementDraw})
        bytes += RealItemText(value) + "\r\n";
    return bytes + IntegerToText(plan.YearsToRetirement) + "\r\n";
}

void writecfg(const Planner& planner, const WindowPlace& window, const std::string& path,
              FileSystem& files, const std::string& keepOldAs) {
    files.removeLeftovers(path + ".new");
    if (files.holds(path, SettingsBytes(planner, window))) return;
    // The settings are written to a new file beside the old one, which takes
    // the old one's place only once every byte has reached the disk: a full
    // disk or a failed write never leaves the user with a cut or empty file.
    // The new file is created, never opened: in a folder that others may
    // write, a link planted under its name must not lead the save into
    // another file. It takes the old file's permission bits.
    if (const auto code = files.checkReplaceable(path)) throw EInOutError(code);
    TextFile file;
    AssignFile(file, path + ".new", files);
    RewriteNew(file, path);
    CheckIO();
    const std::string fresh = file.name;
    try {
        WriteLines(file, planner, window);
        FlushToDisk(file);
        CheckIO();
    } catch (...) {
        CloseAfterFailure(file);
        files.remove(fresh);
        throw;
    }
    CloseFile(file);
    try {
        CheckIO();
        if (!keepOldAs.empty() && files.exists(path)) {
            if (const auto code = files.keepAs(path, keepOldAs)) throw EInOutError(code);
        }
        if (const auto code = files.replace(fresh, path)) throw EInOutError(code);
    } catch (...) {
        files.remove(fresh);
        throw;
    }
}

}  // namespace nestora
