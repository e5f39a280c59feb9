// SPDX-License-Identifier: MIT
#include "number/errors.h"

#include "number/text_file.h"

namespace nestora {

EInOutError::EInOutError(std::int32_t code) : Error(InOutMessage(code)), code_(code) {}

}  // namespace nestora
