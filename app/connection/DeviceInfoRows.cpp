#include "app/connection/DeviceInfoRows.h"

namespace
{

constexpr const wchar_t* kBlanks = L" \t\r";

std::wstring Trimmed(const std::wstring& text)
{
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::wstring::npos)
        return std::wstring();
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

} // namespace

std::vector<SDeviceInfoRow> CDeviceInfoRows::Split(const std::wstring& text)
{
    std::vector<SDeviceInfoRow> rows;
    std::size_t start = 0;
    while (start <= text.size())
    {
        auto end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        const std::wstring line = text.substr(start, end - start);
        start = end + 1;
        if (Trimmed(line).empty())
            continue;
        const auto tab = line.find(L'\t');
        if (tab == std::wstring::npos)
            rows.push_back({Trimmed(line), std::wstring()});
        else
            rows.push_back({Trimmed(line.substr(0, tab)), Trimmed(line.substr(tab + 1))});
    }
    return rows;
}
