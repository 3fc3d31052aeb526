#include "streams/TextCodec.h"

#include <cstdint>

namespace StreamIO
{
namespace
{

constexpr char32_t kReplacement = 0xFFFD;

bool IsValidCodePoint(char32_t cp)
{
    return cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (!IsValidCodePoint(cp))
        cp = kReplacement;
    if (cp < 0x80)
    {
        out.push_back(static_cast<char>(cp));
    }
    else if (cp < 0x800)
    {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
    else if (cp < 0x10000)
    {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
    else
    {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Code points of the bytes 0x80-0x9F; the rest of the code page is Latin-1.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

std::string CTextCodec::ToUtf8(const std::wstring& text)
{
    std::string out;
    out.reserve(text.size());
    for (wchar_t ch : text)
        AppendUtf8(out, static_cast<char32_t>(static_cast<std::uint32_t>(ch)));
    return out;
}

std::wstring CTextCodec::FromUtf8(const std::string& bytes)
{
    std::wstring out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size())
    {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        int extra = 0;
        char32_t cp = 0;
        char32_t minimum = 0;
        if (lead < 0x80)
        {
            cp = lead;
        }
        else if ((lead & 0xE0) == 0xC0)
        {
            extra = 1;
            cp = lead & 0x1F;
            minimum = 0x80;
        }
        else if ((lead & 0xF0) == 0xE0)
        {
            extra = 2;
            cp = lead & 0x0F;
            minimum = 0x800;
        }
        else if ((lead & 0xF8) == 0xF0)
        {
            extra = 3;
            cp = lead & 0x07;
            minimum = 0x10000;
        }
        else
        {
            out.push_back(static_cast<wchar_t>(kReplacement));
            ++i;
            continue;
        }
        int taken = 0;
        while (taken < extra && i + 1 + taken < bytes.size() &&
               (static_cast<unsigned char>(bytes[i + 1 + taken]) & 0xC0) == 0x80)
        {
            cp = (cp << 6) | (static_cast<unsigned char>(bytes[i + 1 + taken]) & 0x3F);
            ++taken;
        }
        i += 1 + taken;
        if (taken < extra || cp < minimum || !IsValidCodePoint(cp))
            cp = kReplacement;
        out.push_back(static_cast<wchar_t>(cp));
    }
    return out;
}

std::u16string CTextCodec::ToUtf16(const std::wstring& text)
{
    std::u16string out;
    out.reserve(text.size());
    for (wchar_t ch : text)
    {
        auto cp = static_cast<char32_t>(static_cast<std::uint32_t>(ch));
        if (cp < 0x10000)
        {
            out.push_back(static_cast<char16_t>(cp));
        }
        else if (cp <= 0x10FFFF)
        {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        }
        else
        {
            out.push_back(static_cast<char16_t>(kReplacement));
        }
    }
    return out;
}

std::wstring CTextCodec::FromUtf16(const char16_t* units, std::size_t count)
{
    std::wstring out;
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
    {
        const char16_t unit = units[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF)
        {
            const char32_t cp = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
                                (static_cast<char32_t>(units[i + 1]) - 0xDC00);
            out.push_back(static_cast<wchar_t>(cp));
            ++i;
        }
        else
        {
            out.push_back(static_cast<wchar_t>(unit));
        }
    }
    return out;
}

std::string CTextCodec::ToWindows1252(const std::wstring& text)
{
    std::string out;
    out.reserve(text.size());
    for (wchar_t ch : text)
    {
        const auto cp = static_cast<std::uint32_t>(ch);
        char byte = '?';
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        {
            byte = static_cast<char>(cp);
        }
        else
        {
            for (int i = 0; i < 32; ++i)
            {
                if (kCp1252High[i] == cp)
                {
                    byte = static_cast<char>(0x80 + i);
                    break;
                }
            }
        }
        out.push_back(byte);
    }
    return out;
}

std::wstring CTextCodec::FromWindows1252(const std::string& bytes)
{
    std::wstring out;
    out.reserve(bytes.size());
    for (char ch : bytes)
    {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte >= 0x80 && byte <= 0x9F)
            out.push_back(static_cast<wchar_t>(kCp1252High[byte - 0x80]));
        else
            out.push_back(static_cast<wchar_t>(byte));
    }
    return out;
}

} // namespace StreamIO
