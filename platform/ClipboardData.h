#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Platform
{

/// What goes onto the clipboard in one piece: the data of several formats,
/// each by its format name. A copy fills one object (the private project
/// format, the Unicode text, later a bitmap) and hands it over once, because
/// a clipboard that is written twice keeps only the second write. Named
/// formats are the program's own ("TerrionLink-Format"); the standard ones
/// have the names below, which the application maps to its toolkit's formats.
class CClipboardData
{
public:
    /// UTF-16LE code units ending with one 16-bit zero.
    static constexpr const wchar_t* kUnicodeText = L"CF_UNICODETEXT";
    /// A device-independent bitmap: its header, palette and rows.
    static constexpr const wchar_t* kBitmap = L"CF_DIB";

    /// Sets (or replaces) the bytes of one format.
    void Set(const std::wstring& format, std::vector<std::uint8_t> bytes);
    /// The bytes of a format, or null when the object holds none.
    const std::vector<std::uint8_t>* Find(const std::wstring& format) const;
    bool Has(const std::wstring& format) const { return Find(format) != nullptr; }
    bool IsEmpty() const { return m_formats.empty(); }
    /// Every format with its bytes, by name.
    const std::map<std::wstring, std::vector<std::uint8_t>>& Formats() const { return m_formats; }

private:
    std::map<std::wstring, std::vector<std::uint8_t>> m_formats;
};

} // namespace Platform
