// SPDX-License-Identifier: MIT
#include "document/document_number.h"

#include <QLocale>
#include <QString>

#include "number/real_to_text.h"
#include "number/text_to_real.h"

namespace nestora {

std::string JsonNumberText(Extended value) { return RealToText(value, '.'); }

std::string JsonNumberText(double value) {
    return QString::number(value, 'g', QLocale::FloatingPointShortest).toStdString();
}

Extended ExtendedOfJson(double value) { return TextToReal(JsonNumberText(value)).value; }

}  // namespace nestora
