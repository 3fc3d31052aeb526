#include "device/TerrionCodec.h"

#include "device/TextReply.h"

#include <cstdio>
#include <vector>

namespace Device
{

std::string CTerrionCodec::SetAddressCommand(std::uint16_t address)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04Xs", static_cast<unsigned>(address));
    return text;
}

std::string CTerrionCodec::ReadCountCommand(std::uint16_t count)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04Xn", static_cast<unsigned>(count));
    return text;
}

std::string CTerrionCodec::WriteByteCommand(std::uint16_t address, std::uint8_t data)
{
    const unsigned check = ((address >> 8) + (address & 0xFFu) + data) % 256u;
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02Xw", static_cast<unsigned>(data), check);
    return text;
}

std::string CTerrionCodec::EraseCommand(std::uint16_t address)
{
    const std::uint32_t negated = 0u - static_cast<std::uint32_t>(address);
    char text[16];
    std::snprintf(text, sizeof text, "%04Xe", static_cast<unsigned>(negated));
    return text;
}

int CTerrionCodec::HexDigit(std::uint8_t character)
{
    if (character >= '0' && character <= '9')
        return character - '0';
    if (character >= 'A' && character <= 'F')
        return character - 'A' + 10;
    if (character >= 'a' && character <= 'f')
        return character - 'a' + 10;
    return -1;
}

CTerrionCodec::CDumpDecoder::NStep CTerrionCodec::CDumpDecoder::Feed(std::uint8_t character,
                                                                     std::uint8_t& byte)
{
    // The instrument interleaves the lower-case letters a-d; they carry nothing.
    if (character >= 'a' && character <= 'd')
        return stepSkipped;
    const int digit = HexDigit(character);
    if (digit < 0)
        return stepInvalid;
    if (m_nHigh < 0)
    {
        m_nHigh = digit;
        return stepPending;
    }
    byte = static_cast<std::uint8_t>(m_nHigh << 4 | digit);
    m_nHigh = -1;
    return stepByte;
}

std::string CTerrionCodec::FillEmptyFields(std::string_view text)
{
    std::string result(text);
    for (std::size_t pos = result.find(";;"); pos != std::string::npos; pos = result.find(";;", pos))
        result.replace(pos, 2, ";-;");
    return result;
}

bool CTerrionCodec::SplitIdentity(std::string_view answer, SDeviceIdent& ident)
{
    const std::vector<std::string> tokens = CTextReply::Tokenize(FillEmptyFields(answer), ';');
    std::wstring* const fields[] = {&ident.typeName, &ident.hardwareRevision, &ident.serialNumber,
                                    &ident.signature, &ident.firmwareVersion};
    const std::size_t count = std::min<std::size_t>(tokens.size(), 5);
    for (std::size_t i = 0; i < count; ++i)
        *fields[i] = CTextReply::Widen(tokens[i]);
    if (count >= 3 && ident.serialNumber == L"-")
        ident.serialNumber = L"TN00-000-0000";
    return tokens.size() >= 5;
}

bool CTerrionCodec::ParseSignature(std::wstring_view text, std::uint32_t& value)
{
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == L' ' || text[pos] == L'\t'))
        ++pos;
    if (pos + 1 < text.size() && text[pos] == L'0' && (text[pos + 1] == L'x' || text[pos + 1] == L'X') &&
        pos + 2 < text.size() &&
        HexDigit(static_cast<std::uint8_t>(text[pos + 2] < 0x80 ? text[pos + 2] : 0)) >= 0)
        pos += 2;
    std::uint32_t result = 0;
    std::size_t digits = 0;
    for (; pos < text.size(); ++pos, ++digits)
    {
        const wchar_t c = text[pos];
        const int digit = c < 0x80 ? HexDigit(static_cast<std::uint8_t>(c)) : -1;
        if (digit < 0)
            break;
        result = result << 4 | static_cast<std::uint32_t>(digit);
    }
    if (digits == 0)
        return false;
    value = result;
    return true;
}

} // namespace Device
