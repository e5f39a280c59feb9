// SPDX-License-Identifier: MIT
#include "app/plan_source.h"
#include "document/plan_document.h"

namespace nestora {

std::optional<LifePlan> TypeInPlanDocument(WindowlessPlan& plan, const std::string& path,
                                           FileSystem& files, std::ostream& err) {
    const PlanDocumentRead read = ReadPlanDocument(path, files);
    if (!read.document) {
        err << "nestora: " << read.error << '\n';
        return std::nullopt;
    }
    if (!plan.type(read.document->fields)) return std::nullopt;
    return read.document->life;
}

}  // namespace nestora
