#pragma once
// Conversions between the library's wide strings (UTF-32 in wchar_t here) and
// the byte encodings the system meets: UTF-8 for file-system paths, UTF-16
// for stored strings, and Windows-1252 wherever stored 8-bit text appears.
// 8-bit text always uses that one code page, never the user's locale, so a
// file reads the same on every machine.

#include <cstddef>
#include <string>

namespace StreamIO
{

class CTextCodec
{
public:
    /// UTF-8 of a wide string; code points that are not valid become U+FFFD.
    static std::string ToUtf8(const std::wstring& text);
    /// Wide string of UTF-8 bytes; malformed sequences become U+FFFD.
    static std::wstring FromUtf8(const std::string& bytes);

    /// UTF-16 code units of a wide string. Characters above U+FFFF become a
    /// surrogate pair; a lone surrogate is kept as it is, so text read from a
    /// file is written back unchanged; values above U+10FFFF become U+FFFD.
    static std::u16string ToUtf16(const std::wstring& text);
    /// Wide string of UTF-16 code units; a surrogate pair becomes one
    /// character, a lone surrogate stays one character of the same value.
    static std::wstring FromUtf16(const char16_t* units, std::size_t count);
    static std::wstring FromUtf16(const std::u16string& units)
    {
        return FromUtf16(units.data(), units.size());
    }

    /// Windows-1252 bytes of a wide string; characters it cannot show become '?'.
    static std::string ToWindows1252(const std::wstring& text);
    /// Wide string of Windows-1252 bytes. The five bytes the code page leaves
    /// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to U+0081 and so on.
    static std::wstring FromWindows1252(const std::string& bytes);
};

} // namespace StreamIO
