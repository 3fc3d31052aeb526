#include "device/others/OsUpgradeRules.h"

#include "device/VnDevice.h"

#include <cwctype>

namespace Device
{

std::wstring COsUpgradeRules::WithoutSpaces(const std::wstring& text)
{
    std::wstring result;
    for (wchar_t c : text)
        if (c != L' ')
            result.push_back(c);
    return result;
}

bool COsUpgradeRules::HasNoLogin(const std::wstring& firmware)
{
    const CVersion version(WithoutSpaces(firmware));
    return !version.IsZero() && CVersion(0, 2, 13, 0) > version;
}

int COsUpgradeRules::CheckHardware(std::wstring& revision, std::uint16_t lowest, std::uint16_t highest,
                                   wchar_t lastLetter, std::uint16_t mask)
{
    if (lowest == 0 && highest == 0)
        return 0;
    for (wchar_t& c : revision)
        c = static_cast<wchar_t>(std::towupper(c));
    if (revision.size() < 2)
        return ecWrongHardware;
    const wchar_t letter = revision[0];
    std::size_t pos = 1;
    while (pos < revision.size() && std::iswspace(revision[pos]))
        ++pos;
    bool negative = false;
    if (pos < revision.size() && (revision[pos] == L'+' || revision[pos] == L'-'))
        negative = revision[pos++] == L'-';
    const std::size_t start = pos;
    long number = 0;
    while (pos < revision.size() && revision[pos] >= L'0' && revision[pos] <= L'9' && number <= 255)
        number = number * 10 + (revision[pos++] - L'0');
    if (pos == start || negative || number > 255 || letter < L'A' || letter > lastLetter)
        return ecWrongHardware;
    const auto index = static_cast<std::uint16_t>((letter - L'A') * 256 + number);
    if (index < (lowest & mask))
        return ecWrongHardware;
    if (highest != 0 && index > (highest & mask))
        return ecWrongHardware;
    return 0;
}

int COsUpgradeRules::CheckOs(const std::wstring& deviceOs, const CVersion& required)
{
    if (required.IsZero())
        return 0;
    const CVersion device(WithoutSpaces(deviceOs));
    if (required > device)
        return ecOsTooOld;
    return required.GetPart(0) == device.GetPart(0) ? 0 : ecOsTooOld;
}

} // namespace Device
