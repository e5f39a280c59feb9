// SPDX-License-Identifier: MIT
// The rule of one year of a plan, shared by the simulated markets and the
// stretches of history, so that both count a year alike.
//
// A saving year: the balance earns the year's growth factor (1 + its return)
// and the year's saving is added at its end. A retirement year: the balance
// earns its growth factor and the draw is taken at the year's end; when the
// grown balance falls short of the draw, what is left is drawn and the
// balance is 0. Growth, saving and draw are in one money: nominal with a
// nominal return, today's money with a real one.
#pragma once

namespace nestora {

inline double SavingYear(double balance, double growth, double saving) {
    return balance * growth + saving;
}

struct RetirementStep {
    double balance = 0;  // at the year's end, after the draw
    bool paid = false;   // the whole draw was paid
};

inline RetirementStep RetirementYear(double balance, double growth, double draw) {
    const double grown = balance * growth;
    if (!(grown >= draw)) return {0, false};
    return {grown - draw, true};
}

}  // namespace nestora
