#pragma once
// Switches the process's C locale to one with a decimal comma for as long as
// the object lives, and back. The locale data comes from the system (Debian's
// locales-all, listed in scripts/packages.txt); a test asks IsActive() and
// skips when no such locale exists, which CI treats as a failure.

#include <string>

namespace TerrionTest
{

class CCommaLocale
{
public:
    CCommaLocale();
    ~CCommaLocale();
    CCommaLocale(const CCommaLocale&) = delete;
    CCommaLocale& operator=(const CCommaLocale&) = delete;

    /// A locale with a decimal comma is in force ("%.1f" of 12.5 gives "12,5").
    bool IsActive() const { return m_active; }
    /// The locale's name, for messages.
    const std::string& Name() const { return m_name; }

private:
    std::string m_previous;
    std::string m_name;
    bool m_active = false;
};

} // namespace TerrionTest
