#pragma once
// The cover meter's data-file text: a ';'-separated text laid out for a
// spreadsheet. Each line is a label, three semicolons and the value; the
// readings form a table of four 18-character columns; units and bar-size
// notation follow the object's regional setting. The instrument sends it in
// the text download; the driver writes and reads it too.

#include "device/others/KindravelObject.h"

#include <span>
#include <string>
#include <string_view>

namespace Device
{

class CKindravelText
{
public:
    /// Bar diameter shown for a raw diameter (0..60; others read as 0) in the
    /// table of a regional setting, as "%d"; "0" for an unknown regional.
    static std::wstring FormatBarDiameter(int regional, int rawDiameter);
    /// "-" for 0; ASTM inch: the inch table at correction / 10 with one
    /// decimal; otherwise the millimetres.
    static std::wstring FormatCorrection(int regional, int correction);
    /// Cover in mm from its text: 255 for "n/a", -1 when it does not read or
    /// lies outside 0..255 mm (inch texts above 10.04 too).
    static int ParseCoverText(int regional, std::wstring_view text);
    /// Correction in mm from its text: 0 for "-", -1 when it does not read or
    /// is out of range (above 5.2 in, above 150 mm).
    static int ParseCorrectionText(int regional, std::wstring_view text);
    /// encode: "&" -> "&amp", line ends -> "&#13", '"' -> "&quot", tab ->
    /// "&#9"; otherwise the reverse.
    static std::wstring EscapeText(std::wstring_view text, bool encode);

    /// Writes the object's text into dest. Returns the characters written (no
    /// terminator), or 0 when the regional or storage mode has no text or the
    /// text does not fit; nothing beyond dest is touched.
    static int ExportObjectText(const TKindravelObject& object, std::span<wchar_t> dest);
    /// The object's text; empty when it has none.
    static std::wstring ExportObjectText(const TKindravelObject& object);
    /// Longest text of one object that an import takes. A whole object with
    /// 99 readings is well below 10,000 characters.
    static constexpr std::size_t kMaxObjectText = 65536;

    /// Reads one object's text (from its header up to the next object).
    /// False leaves the object partly filled; a text longer than
    /// kMaxObjectText is refused untouched. A date that does not read, or
    /// whose fields are out of range, gives 0 as a missing one does.
    static bool ImportObjectText(TKindravelObject& object, std::wstring text);

private:
    /// Writes what fits; needed (when given) receives the full length.
    static int ExportInto(const TKindravelObject& object, std::span<wchar_t> dest, std::size_t* needed);
};

} // namespace Device
