// SPDX-License-Identifier: MIT
// The instructions that the help window shows (design/help_design.h), as Qt
// texts: 43 lines, broken by hand.
#pragma once

#include <QString>
#include <QStringList>

namespace nestora {

QStringList HelpLines();
QString HelpText();  // the lines joined with line ends, no line end after the last

}  // namespace nestora
