#pragma once
// The text protocol's reply lines as pure functions: where a line ends, when
// a line cut short by a time-out still counts, how the answer is taken out of
// a line, and how the "ID" answer splits into its fields.

#include "device/DeviceInfo.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Device
{

class CTextReply
{
public:
    static constexpr std::uint8_t kDle = 0x10;
    static constexpr std::uint8_t kCr = 0x0D;
    static constexpr std::uint8_t kLf = 0x0A;

    /// True when byte ends a reply line: LF, or CR in CR-only mode.
    static bool IsLineEnd(std::uint8_t byte, bool crLf);
    /// A line whose next byte never came still counts when it holds at least
    /// one byte and ends in CR.
    static bool IsCompleteWithoutEnd(std::string_view stored);

    /// The answer in a reply line. A line holding LF is "<echoed command>
    /// <answer>": the answer starts after the first blank (none, or nothing
    /// after it: no answer). Otherwise the whole line is the answer. The
    /// answer is cut at the first CR (cutAtLastCr false, queries) or at the
    /// last CR (text commands).
    static std::optional<std::string> ExtractAnswer(std::string_view line, bool cutAtLastCr);

    /// Splits at sep; consecutive separators give no empty tokens.
    static std::vector<std::string> Tokenize(std::string_view text, char sep);
    /// The "ID" answer "type;firmware;serial": true when all three are there
    /// and not empty.
    static bool ParseId(std::string_view answer, SDeviceInfo& info);

    /// 8-bit text widened byte by byte (Latin-1).
    static std::wstring Widen(std::string_view text);
    /// Wide text narrowed to 8 bits ('?' for what does not fit).
    static std::string Narrow(std::wstring_view text);
};

} // namespace Device
