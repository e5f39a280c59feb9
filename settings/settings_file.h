// SPDX-License-Identifier: MIT
// The settings file (settings_location.h says where): eight lines, CR LF each —
// window top, window left, the five reals of the plan and the years.
//
// readcfg loads it (when it exists) into SavedTop, SavedLeft and the plan,
// then places the window, fills the six entry fields with CalcEnabled
// cleared (their handlers parse the texts back into the plan) and calls
// calculate. writecfg writes the window's position and the plan. Neither
// catches anything: a failed file operation raises EInOutError.
#pragma once

#include <cstdint>
#include <string>

#include "number/platform_file.h"
#include "projection/desktop.h"
#include "projection/planner.h"

namespace nestora {

// The executable's path with its extension replaced by ".fig", or ".fig"
// appended when it has none: "/opt/nestora/nestora" → "/opt/nestora/nestora.fig".
std::string SettingsPath(const std::string& executablePath);

// The main window's position on the screen, as the settings file keeps it.
class WindowPlace {
  public:
    virtual ~WindowPlace() = default;
    virtual std::int32_t top() const = 0;
    virtual std::int32_t left() const = 0;
    virtual void setTop(std::int32_t top) = 0;
    virtual void setLeft(std::int32_t left) = 0;
};

// Where the window goes when readcfg places it; both start at 10.
struct SavedPosition {
    std::int32_t SavedTop = 10;
    std::int32_t SavedLeft = 10;
};

void readcfg(Planner& planner, SavedPosition& saved, WindowPlace& window, const std::string& path,
             FileSystem& files = SystemFiles());

// The second half of readcfg, without the file: fills the six entry fields
// from the plan with CalcEnabled cleared, then calculates.
void ShowPlan(Planner& planner);

// readcfg as one step of the start-up, with whatever it raises shown in the
// error box (with `note`, when given, on a line after the message). When the
// file could not be read in full, the fields are then filled from the plan as
// the reading left it and the results computed from it, so that what the
// window shows is what it computes with. Returns false when the file was
// there and could not be read.
bool LoadShowingPlan(Planner& planner, SavedPosition& saved, WindowPlace& window,
                     const std::string& path, Desktop& desktop, const std::string& title,
                     const std::string& note = {}, FileSystem& files = SystemFiles());

// Where a settings file that could not be read is kept before the first save
// replaces it: "/home/me/.config/nestora/nestora.fig.damaged".
std::string DamagedCopyPath(const std::string& path);
// The line the error box adds after a failed read: where the file is kept.
std::string DamagedCopyNote(const std::string& path);

// The eight lines that writecfg writes.
std::string SettingsBytes(const Planner& planner, const WindowPlace& window);

// Writes to a new file beside the old one (created afresh, never through a
// link, with the old one's permission bits) and puts it in the old one's
// place only when every byte has reached the disk; on failure the old file
// stays as it was and the new one is removed. A file that already holds
// exactly these bytes is left alone, so nothing is written and nothing can
// fail. With `keepOldAs`, the old file is first kept under that name as well
// (replacing an older one); if that fails, nothing is replaced. The program's
// own new files left by an earlier run that never ended are removed first.
void writecfg(const Planner& planner, const WindowPlace& window, const std::string& path,
              FileSystem& files = SystemFiles(), const std::string& keepOldAs = {});

}  // namespace nestora
