#pragma once
// Fills the printf-style patterns of the string table (%s, %d, %u, %.Nf,
// %.0s, %%) with typed arguments. A pattern comes from a language library, so
// a specifier that does not match its argument, or one without an argument,
// must never read memory it should not: the argument is shown as it is and a
// missing one is left out. Numbers always use a decimal point.

#include <string>
#include <variant>
#include <vector>

class CTextPattern
{
public:
    using TArgument = std::variant<std::wstring, double, long long>;

    static std::wstring Format(const std::wstring& pattern, const std::vector<TArgument>& arguments);
    /// A number with a fixed count of decimals and a decimal point.
    static std::wstring Fixed(double value, int decimals);
};
