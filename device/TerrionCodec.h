#pragma once
// The Terrion's memory-access protocol and identification answer as pure
// functions: the ASCII command texts, the hexadecimal dump decoder and the
// splitting of the "@ID@" answer. CTerrionDevice only moves bytes.

#include "device/DeviceInfo.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace Device
{

class CTerrionCodec
{
public:
    static constexpr const char* kLeaveCommand = "C0C0i";
    static constexpr const char* kDeleteAllCommand = "A5A5t";
    static constexpr const char* kEndReadCommand = "0000n";
    /// The memory-access switch: framed command 0xD2 with this data byte.
    static constexpr std::uint8_t kServiceCommand = 0xD2;
    static constexpr std::uint8_t kServiceMemoryAccess = 0x04;
    static constexpr std::uint8_t kServiceBootloader = 0x01;
    /// A write or erase reply with this byte failed.
    static constexpr char kFailedReply = 'f';

    /// "%04Xs"
    static std::string SetAddressCommand(std::uint16_t address);
    /// "%04Xn"
    static std::string ReadCountCommand(std::uint16_t count);
    /// "%02X%02Xw" of the data byte and (address high + low + data) mod 256.
    static std::string WriteByteCommand(std::uint16_t address, std::uint8_t data);
    /// "%04Xe" of the address negated as a 32-bit number (eight digits for any
    /// address but 0).
    static std::string EraseCommand(std::uint16_t address);

    /// Decodes a dump one character at a time.
    class CDumpDecoder
    {
    public:
        enum NStep : int
        {
            stepSkipped = 0, ///< one of the filler letters a-d
            stepPending = 1, ///< the high nibble, waiting for the low one
            stepByte = 2,    ///< a byte is complete
            stepInvalid = 3, ///< not a hexadecimal digit
        };
        NStep Feed(std::uint8_t character, std::uint8_t& byte);

    private:
        int m_nHigh = -1;
    };

    /// 0-15 for '0'-'9', 'A'-'F' and 'a'-'f'; -1 otherwise.
    static int HexDigit(std::uint8_t character);

    /// Replaces every ";;" by ";-;" until none is left, so empty fields survive.
    static std::string FillEmptyFields(std::string_view text);

    /// Takes "type;hardware;serial;signature;firmware" into ident (a serial
    /// number "-" becomes "TN00-000-0000"); false with fewer than five fields
    /// (the fields taken keep their values).
    static bool SplitIdentity(std::string_view answer, SDeviceIdent& ident);
    /// Reads a hexadecimal 32-bit signature the way "%x" does (leading
    /// blanks, optional 0x, at least one digit, stops at the first non-digit).
    static bool ParseSignature(std::wstring_view text, std::uint32_t& value);
};

} // namespace Device
