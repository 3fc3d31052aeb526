#pragma once
// Numbers as the project's texts show them. Always a decimal point, whatever
// locale the program runs in: a GUI may switch the C locale, and "12.3" must
// never become "12,3" in a view, a report or an export file.

#include <string>

class CNumberFormat
{
public:
    /// value with a fixed number of decimals, as "%.<decimals>f" prints it in the C locale.
    static std::wstring Fixed(double value, int decimals);
};
