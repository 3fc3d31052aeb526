#pragma once
// The clipboard's several-format object on wxWidgets' clipboard: the
// program's own formats as wxCustomDataObject of their names, Unicode text
// as wxTextDataObject and a packed device-independent bitmap as
// wxBitmapDataObject, all in one composite, so one write offers them all.

#include "platform/ClipboardData.h"

#include <cstdint>
#include <string>
#include <vector>

class CWxClipboard
{
public:
    /// Whether the clipboard holds data of the named format, without fetching it.
    static bool IsAvailable(const std::wstring& format);
    /// The whole data block of the named format (text as UTF-16LE with a
    /// 16-bit zero); false when the clipboard holds none.
    static bool Read(const std::wstring& format, std::vector<std::uint8_t>* block);
    /// Replaces the clipboard's content with every format of data at once;
    /// false when it cannot be opened or set, or data holds nothing.
    static bool Write(const Platform::CClipboardData& data);
};
