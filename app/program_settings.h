// SPDX-License-Identifier: MIT
// Where the running program keeps its settings file, for the window and the
// command line alike.
#pragma once

#include "settings/settings_location.h"

namespace nestora {

// Beside the program when the file is there or may be made there, otherwise
// in the user's configuration folder. Needs the application object.
SettingsLocation DefaultSettingsLocation();

}  // namespace nestora
