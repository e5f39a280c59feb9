// SPDX-License-Identifier: MIT
#include "document/plan_document.h"

#include "design/main_window_design.h"
#include "number/errors.h"
#include "number/whole_file.h"

namespace nestora {

const char* PlanMarketsName(PlanMarkets markets) {
    return markets == PlanMarkets::History ? "history" : "simulated";
}

PlanDocument::PlanDocument() {
    for (std::size_t k = 0; k < fields.size(); ++k) fields[k] = design::EntryFields[k].text;
}

SimulationOptions SimulationOf(const PlanDocument& document) {
    SimulationOptions options;
    options.volatility = document.volatilityPercent / 100;
    options.horizon = document.horizon;
    options.paths = document.paths;
    options.seed = document.seed;
    return options;
}

HistoryOptions HistoryOf(const PlanDocument& document) {
    HistoryOptions options;
    options.stockShare = document.stockPercent / 100;
    options.horizon = document.horizon;
    return options;
}

PlanDocumentRead ReadPlanDocument(const std::string& path, FileSystem& files) {
    std::string bytes;
    if (const std::int32_t code = ReadWholeFile(files, path, bytes)) {
        PlanDocumentRead failed;
        failed.error = path + ": The plan document could not be read: " + InOutMessage(code) + ".";
        return failed;
    }
    return PlanDocumentFromBytes(bytes, path);
}

std::int32_t WritePlanDocument(const PlanDocument& document, const std::string& path,
                               FileSystem& files) {
    return WriteWholeFile(files, path, PlanDocumentBytes(document));
}

std::string PlanDocumentWriteError(const std::string& path, std::int32_t code) {
    return "Cannot save " + path + ": " + WriteFailureText(code) + ".";
}

}  // namespace nestora
