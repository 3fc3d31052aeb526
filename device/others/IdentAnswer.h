#pragma once
// The "@ID@" answer of the other instruments as pure functions: filling empty
// fields, splitting the answer into a record's fields, reading the signature
// and formatting the information texts.

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace Device
{

struct SDeviceIdent;

class CIdentAnswer
{
public:
    /// Replaces ";;" by ";-;" in one pass over the text: of two empty fields
    /// in a row only the first gets the "-".
    static std::string FillOnce(std::string_view text);
    /// Replaces ";;" by ";-;" until none is left.
    static std::string FillAll(std::string_view text);

    /// Splits at ';' (empty fields stay empty) into fields, in order. A field
    /// the answer has no token for becomes empty; that fails unless it is
    /// the last one and lastOptional is set.
    static bool Split(std::string_view answer, std::span<std::wstring* const> fields, bool lastOptional);

    /// Reads a hexadecimal signature as "%x" does (leading blanks, optional
    /// 0x, digits up to the first other character); false without a digit and
    /// for a value that does not fit 32 bits.
    static bool ParseSignature(std::wstring_view text, std::uint32_t& value);
    /// The signature reads and its top byte is the family code.
    static bool IsFamily(std::wstring_view signature, int familyCode);

    /// Puts the fields in place of the pattern's "%s", one after the other.
    static std::wstring Format(std::wstring_view pattern, std::initializer_list<std::wstring_view> fields);

    /// The device information text filled from the ident's fields.
    static std::wstring InfoText(const SDeviceIdent& ident);
    /// The signature read as the device id, 0 when it does not read.
    static std::int32_t DeviceId(std::wstring_view signature);

    /// True when none of the fields is empty.
    static bool AllSet(std::initializer_list<std::wstring_view> fields);
};

} // namespace Device
