#include "streams/Version.h"

#include <cwctype>
#include <limits>

namespace
{

/// Reads one signed decimal number at text[pos] as a "%lld" conversion
/// would: leading white space, an optional sign, at least one digit. A number
/// that does not fit 64 bits marks the whole text as unreadable.
bool ScanNumber(const std::wstring& text, std::size_t& pos, std::int64_t& value, bool& overflow)
{
    std::size_t i = pos;
    while (i < text.size() && std::iswspace(static_cast<wint_t>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
    {
        negative = text[i] == L'-';
        ++i;
    }
    const std::size_t digitsStart = i;
    std::uint64_t magnitude = 0;
    constexpr std::uint64_t kLimit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + 1;
    while (i < text.size() && text[i] >= L'0' && text[i] <= L'9')
    {
        const auto digit = static_cast<std::uint64_t>(text[i] - L'0');
        if (magnitude > (kLimit - digit) / 10)
            overflow = true;
        else
            magnitude = magnitude * 10 + digit;
        ++i;
    }
    if (i == digitsStart)
        return false;
    if (!negative && magnitude == kLimit)
        overflow = true;
    if (overflow)
        return true;
    value = negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
    pos = i;
    return true;
}

bool InRange(std::int64_t value, std::int64_t high)
{
    return value >= 0 && value <= high;
}

} // namespace

CVersion::CVersion(std::uint16_t major, std::uint16_t minor, std::uint16_t build, std::uint16_t revision)
    : m_nValue(static_cast<std::uint64_t>(major) << 48 | static_cast<std::uint64_t>(minor) << 32 |
               static_cast<std::uint64_t>(build) << 16 | revision)
{
}

CVersion::CVersion(const std::wstring& text)
{
    std::wstring clean;
    clean.reserve(text.size());
    for (wchar_t ch : text)
    {
        if (ch == L' ')
            continue;
        clean.push_back(ch == L',' ? L'.' : ch);
    }

    std::int64_t fields[4] = {0, 0, 0, 0};
    int count = 0;
    bool overflow = false;
    std::size_t pos = 0;
    while (count < 4)
    {
        if (count > 0)
        {
            if (pos >= clean.size() || clean[pos] != L'.')
                break;
            ++pos;
        }
        if (!ScanNumber(clean, pos, fields[count], overflow))
            break;
        if (overflow)
            return; // a number too large for any part: no version
        ++count;
    }

    switch (count)
    {
    case 1:
        // A lone number is the raw value; a negative one is no version.
        if (clean.size() <= 19 && fields[0] >= 0)
            m_nValue = static_cast<std::uint64_t>(fields[0]);
        break;
    case 2:
        if (InRange(fields[0], 0xFFFFFFFF) && InRange(fields[1], 0xFFFFFFFF))
            m_nValue = static_cast<std::uint64_t>(fields[0]) << 32 | static_cast<std::uint64_t>(fields[1]);
        break;
    case 3:
    case 4:
        if (InRange(fields[0], 0xFFFF) && InRange(fields[1], 0xFFFF) && InRange(fields[2], 0xFFFF) &&
            InRange(fields[3], 0xFFFF))
        {
            *this = CVersion(static_cast<std::uint16_t>(fields[0]), static_cast<std::uint16_t>(fields[1]),
                             static_cast<std::uint16_t>(fields[2]), static_cast<std::uint16_t>(fields[3]));
        }
        break;
    default:
        break;
    }
}

std::uint16_t CVersion::GetPart(int index) const
{
    if (index < 0 || index > 3)
        return 0;
    return static_cast<std::uint16_t>(m_nValue >> (48 - 16 * index));
}

std::wstring CVersion::ToString(int parts) const
{
    const auto part = [this](int index) { return std::to_wstring(GetPart(index)); };
    switch (parts)
    {
    case 2:
        return std::to_wstring(m_nValue >> 32) + L"." + std::to_wstring(m_nValue & 0xFFFFFFFFu);
    case 3:
        return part(0) + L"." + part(1) + L"." + part(2);
    case 4:
        return part(0) + L"." + part(1) + L"." + part(2) + L"." + part(3);
    default:
        return std::to_wstring(static_cast<std::int64_t>(m_nValue));
    }
}

CVersion CVersion::FromInstallerFileName(const std::wstring& fileName)
{
    static const std::wstring kExtension = L".exe";
    if (fileName.size() <= 5 ||
        fileName.compare(fileName.size() - kExtension.size(), kExtension.size(), kExtension) != 0)
        return {};
    const std::size_t marker = fileName.find(L"_V_");
    const std::size_t point = fileName.find(L'.');
    if (marker == std::wstring::npos || point == std::wstring::npos)
        return {};
    const std::size_t start = marker + 3;
    std::wstring text = point > start ? fileName.substr(start, point - start) : std::wstring();
    for (wchar_t& ch : text)
    {
        if (ch == L'_')
            ch = L'.';
    }
    return CVersion(text);
}

CVersion CVersion::FromFirmwareFileName(const std::wstring& fileName, int contentType)
{
    static const std::wstring kEnding = L"lod";
    if (fileName.size() < kEnding.size() ||
        fileName.compare(fileName.size() - kEnding.size(), kEnding.size(), kEnding) != 0)
        return {};
    const std::size_t marker = fileName.find(L"-V");
    if (marker == std::wstring::npos)
        return {};

    std::wstring text;
    std::wstring tag;
    std::size_t start = marker + 2;
    while (start <= fileName.size())
    {
        std::size_t stop = fileName.find_first_of(L"._", start);
        if (stop == std::wstring::npos)
            stop = fileName.size();
        const std::wstring group = fileName.substr(start, stop - start);
        if (stop == fileName.size() && group == kEnding)
            break; // the extension ends the scan without a tag
        bool digitsOnly = true;
        for (wchar_t ch : group)
        {
            if (ch < L'0' || ch > L'9')
                digitsOnly = false;
        }
        if (!digitsOnly)
        {
            tag = group;
            break;
        }
        text += group + L".";
        start = stop + 1;
    }

    bool accepted = tag.empty();
    if (contentType == ctFirmware)
        accepted = accepted || tag == L"FW" || tag == L"APP";
    else if (contentType == ctOperatingSystem)
        accepted = accepted || tag == L"OS";
    return accepted ? CVersion(text) : CVersion();
}
