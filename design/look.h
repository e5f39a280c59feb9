// SPDX-License-Identifier: MIT
// The colours and fonts the two windows are designed with. A colour is either
// fixed or one of the desktop's own (the workspace grey, the window text, the
// face of buttons), which each front end takes from its toolkit.
#pragma once

#include <array>
#include <cstdint>

namespace nestora::design {

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

// The desktop's colours that the design names.
enum class SystemColour {
    AppWorkspace,  // behind the main window's controls
    WindowText,    // the window's labels and the entry fields' text
    ButtonFace,    // behind the help window's text box
};

inline constexpr Rgb EntryBackground{0xFF, 0xFF, 0xFF};
inline constexpr Rgb PanelGrey{0x80, 0x80, 0x80};
// The bottom and right edge of the panel's raised bevel: the panel grey at
// half its brightness, so the edge shows against both the panel and the
// lighter workspace grey around it.
inline constexpr Rgb PanelShadow{0x40, 0x40, 0x40};
// The top and left edge of the bevel.
inline constexpr Rgb PanelHighlight{0xFF, 0xFF, 0xFF};
inline constexpr Rgb PanelText{0x00, 0x00, 0x80};
inline constexpr Rgb ResultBackground{0x00, 0xFF, 0xFF};
inline constexpr Rgb ResultText{0x00, 0x00, 0xFF};
inline constexpr Rgb MoneyGreen{0xC0, 0xDC, 0xC0};  // the help text's background

enum class Charset { Ansi, Default };

// A face with its character height in pixels at 96 dots per inch, and the
// installed faces that stand in for it, best first, on a machine that lacks
// it: "Arial" gives way to the metric-compatible Liberation Sans, the two
// decorative faces to a script face (Dancing Script, then URW's Z003
// chancery).
struct FontDesign {
    const char* face;
    int pixels;
    bool bold;
    bool italic;
    bool underline;
    Charset charset;
    std::array<const char*, 3> standIns;
};

// Every label and field of the main window except the title.
inline constexpr FontDesign ArialBold16{
    "Arial", 16, true, false, false, Charset::Ansi, {"Liberation Sans"}};
// The title label, "Nestora".
inline constexpr FontDesign TitleFont{"ParkAvenue BT",
                                      32,
                                      true,
                                      true,
                                      true,
                                      Charset::Ansi,
                                      {"Dancing Script", "Z003", "URW Chancery L"}};
// The main window's own font, which no visible text uses: every control that
// shows text sets its own.
inline constexpr FontDesign HandwritingFont{"Lucida Handwriting",
                                            35,
                                            true,
                                            false,
                                            false,
                                            Charset::Ansi,
                                            {"Dancing Script", "Z003", "URW Chancery L"}};
// The help window and its text box.
inline constexpr FontDesign HelpFont{
    "MS Sans Serif", 13, false, false, false, Charset::Default, {"Liberation Sans", "Arial"}};

}  // namespace nestora::design
