// SPDX-License-Identifier: MIT
// The Windows program's command line takes no plan document (no --plan), so
// the shared commands never ask it to read one; were they to, they say so.
#include "app/plan_source.h"

namespace nestora {

std::optional<LifePlan> TypeInPlanDocument(WindowlessPlan&, const std::string& path, FileSystem&,
                                           std::ostream& err) {
    err << "nestora: " << path << ": this program reads no plan documents.\n";
    return std::nullopt;
}

}  // namespace nestora
