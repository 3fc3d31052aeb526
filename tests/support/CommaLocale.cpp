#include "tests/support/CommaLocale.h"

#include <clocale>
#include <cstdio>

namespace TerrionTest
{

CCommaLocale::CCommaLocale()
{
    if (const char* current = std::setlocale(LC_ALL, nullptr))
        m_previous = current;
    for (const char* name :
         {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "nl_NL.UTF-8", "de_DE"})
    {
        if (!std::setlocale(LC_ALL, name))
            continue;
        char probe[16];
        std::snprintf(probe, sizeof(probe), "%.1f", 12.5);
        if (std::string(probe) == "12,5")
        {
            m_name = name;
            m_active = true;
            return;
        }
    }
    std::setlocale(LC_ALL, m_previous.c_str());
}

CCommaLocale::~CCommaLocale()
{
    if (m_active)
        std::setlocale(LC_ALL, m_previous.c_str());
}

} // namespace TerrionTest
