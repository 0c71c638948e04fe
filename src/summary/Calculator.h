// The calculator that the totals window's "電卓起動" starts.
#pragma once

#include <QString>

namespace zotra {

// On Windows the system's calculator: %WinDir%\calc.exe, else
// %WinDir%\system32\calc.exe. Elsewhere the first desktop calculator on the
// search path: gnome-calculator, kcalc, galculator, mate-calc, qalculate-gtk,
// xcalc. Empty when there is none (the button is then off).
QString FindCalculator();

}  // namespace zotra
