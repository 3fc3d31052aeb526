#pragma once
// Conversions between the library's wide strings (UTF-32 in wchar_t here) and
// the byte encodings the system meets: UTF-8 for file-system paths.

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
};

} // namespace StreamIO
