// SPDX-License-Identifier: MIT
#include "design/help_design.h"

#include "design/maker.h"

namespace nestora::design {

std::vector<std::string> HelpLines() {
    return {
        "",
        "        INSTRUCTIONS FOR TOBREL NESTORA",
        "",
        "This utility checks your long term savings and investments.",
        "It calculates the annual amount you will be able to withdraw",
        "during your retirement and estimates the number of years",
        "your savings will last. Use it over and over, adjusting the",
        "annual saving amount and your estimates for investment",
        "return and inflation rates. You can also fine-tune the annual",
        "retirement draw to balance it against the number of years",
        "that it will last.",
        "",
        "PROGRAM INPUTS:",
        "  Inputs can be revised at any time.",
        "",
        "  1-Current Long Term Savings and Investments.",
        "  2-Planned Annual Additional Savings.",
        "  3-Estimated Average Investment  Return. Typical 5-9%",
        "  4-Estimated Ave Inflation Rate. Typical 3%",
        "  5-Planned Annual Retirement Draw Percent.",
        "  Note: A good starting point for the draw is 2% more than",
        "  the real return (investment return minus inflation).",
        "  6-Years Remaining Before Retirement.",
        "",
        "PROGRAM RESULTS:",
        "",
        "  1-Dollar Savings Available at Retirement.",
        "  2-Saving at Retirement Adjusted for Inflation.",
        "  3-Annual Draw Adjusted for Inflation. This is the annual",
        "  amount you withdraw from your savings during retirement.",
        "  4-Number of Retirement Years Provided for.",
        "",
        "  NOTE: All results are updated automatically after",
        "  each entry.",
        "",
        "TOBREL HOME PAGE:",
        std::string("    ") + MakerHomePage,
        "",
        "TOBREL EMAIL:",
        std::string("    ") + MakerEmail,
        "",
        "",
        "",
    };
}

std::string HelpText(const std::string& lineEnd) {
    std::string text;
    for (const std::string& line : HelpLines()) {
        text += line;
        text += lineEnd;
    }
    text.resize(text.size() - lineEnd.size());
    return text;
}

Point HelpPlacement(int desktopWidth, int desktopHeight) {
    const int left = (desktopWidth - HelpOuterWidth) / 2;
    const int top = (desktopHeight - HelpOuterHeight) / 2;
    return {left < 0 ? 0 : left, top < 0 ? 0 : top};
}

}  // namespace nestora::design
