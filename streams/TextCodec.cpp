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

} // namespace StreamIO
