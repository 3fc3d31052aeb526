#pragma once
// A series identifier: a 128-bit GUID, kept as its 16 bytes in the order of
// its text form, so the text written to project files round-trips exactly.

#include <array>
#include <cstdint>
#include <string>

struct TGuid
{
    std::array<std::uint8_t, 16> bytes{};

    /// A new random identifier (libuuid).
    static TGuid Create();
    /// Parses 36 hexadecimal-and-hyphen characters (8-4-4-4-12, any letter
    /// case); false leaves out all-zero.
    static bool Parse(const std::wstring& text, TGuid* out);
    /// Registry form: braces, upper-case hexadecimal, 38 characters.
    std::wstring ToString() const;
    bool IsNull() const;

    friend bool operator==(const TGuid&, const TGuid&) = default;
};
