// SPDX-License-Identifier: MIT
// The maker's addresses: the home page that the menu opens and the e-mail
// address that the help text gives.
#pragma once

namespace nestora {

inline constexpr const char* MakerHomePage = "https://www.tobrel.example/";
inline constexpr const char* MakerEmail = "nestora@tobrel.example";

}  // namespace nestora
