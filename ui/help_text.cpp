// SPDX-License-Identifier: MIT
#include "ui/help_text.h"

#include "design/help_design.h"

namespace nestora {

QStringList HelpLines() {
    QStringList lines;
    for (const std::string& line : design::HelpLines()) lines << QString::fromStdString(line);
    return lines;
}

QString HelpText() { return HelpLines().join('\n'); }

}  // namespace nestora
