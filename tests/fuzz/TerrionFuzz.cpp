// Fuzzes the instrument's pure decoders over bytes: the first input byte
// chooses the parser, the rest is what the instrument (or a line) sent.
//   0 the record area            1 the settings block
//   2 the hexadecimal dump       3 the "@ID@" identification answer
//   4 the signature text         5 a text-protocol reply line and its "ID"
//   6 framed reply bytes, extended-reply headers and checksums

#include "device/FrameCodec.h"
#include "device/TerrionCodec.h"
#include "device/TerrionRecords.h"
#include "device/TextReply.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>
#include <vector>

namespace
{

using namespace Device;
using TBytes = std::span<const std::uint8_t>;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

std::string_view Text(TBytes bytes)
{
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

void FuzzRecords(TBytes bytes)
{
    CTerrionRecords::TMeasSettings settings{};
    settings.customSpacing = !bytes.empty() && (bytes[0] & 1);
    SDeviceIdent ident;
    ident.typeName = L"TRN";
    const auto objects = CTerrionRecords::Decode(bytes, ident, settings);
    std::size_t readings = 0;
    for (const auto& object : objects)
    {
        Check(!object.readings.empty()); // objects without readings are not delivered
        Check(object.settings.customSpacing == settings.customSpacing);
        readings += object.readings.size();
        for (const auto& reading : object.readings)
        {
            Check(reading.value >= 0.0 && reading.value <= 2047.0);
            Check(reading.current != 0 || reading.value == 0.0);
        }
    }
    // Each reading is one whole 32-bit record.
    Check(readings <= bytes.size() / 4);
}

void FuzzSettings(TBytes bytes)
{
    constexpr std::size_t kSize = Device::TMeasSettings::kBlockSize;
    if (bytes.size() < kSize)
        return;
    const std::span<const std::uint8_t, kSize> block(bytes.data(), kSize);
    CTerrionRecords::TMeasSettings settings{};
    settings.SetFromBlock(block);
    const std::vector<std::uint8_t> stored = settings.ToBlock();
    Check(stored.size() == kSize && stored[2] == 1);
    if (block[2] == 0xFF)
        Check(settings.contactSpacing == settings.spacingWord);
    if (block[2] == 1)
        Check(std::equal(stored.begin(), stored.end(), block.begin())); // current format keeps every byte
    // What we store reads back to the same block.
    CTerrionRecords::TMeasSettings again{};
    again.SetFromBlock(std::span<const std::uint8_t, kSize>(stored.data(), kSize));
    Check(again.ToBlock() == stored);
}

void FuzzDump(TBytes bytes)
{
    CTerrionCodec::CDumpDecoder decoder;
    std::size_t digits = 0;
    std::size_t decoded = 0;
    for (std::uint8_t character : bytes)
    {
        std::uint8_t byte = 0;
        const auto step = decoder.Feed(character, byte);
        if (step == CTerrionCodec::CDumpDecoder::stepPending || step == CTerrionCodec::CDumpDecoder::stepByte)
            ++digits;
        if (step == CTerrionCodec::CDumpDecoder::stepByte)
            ++decoded;
        if (step == CTerrionCodec::CDumpDecoder::stepInvalid)
            Check(CTerrionCodec::HexDigit(character) < 0);
    }
    Check(decoded <= digits / 2);
}

void FuzzIdentity(TBytes bytes)
{
    const std::string filled = CTerrionCodec::FillEmptyFields(Text(bytes));
    Check(filled.find(";;") == std::string::npos);
    Check(filled.size() <= 2 * bytes.size());
    SDeviceIdent ident;
    const bool complete = CTerrionCodec::SplitIdentity(Text(bytes), ident);
    const std::size_t total = ident.typeName.size() + ident.hardwareRevision.size() +
                              ident.serialNumber.size() + ident.signature.size() +
                              ident.firmwareVersion.size();
    Check(total <= filled.size() + 13); // the serial "-" may become "TN00-000-0000"
    if (complete)
        Check(!ident.typeName.empty() && !ident.firmwareVersion.empty());
}

void FuzzSignature(TBytes bytes)
{
    std::wstring text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<wchar_t>(bytes[i] | bytes[i + 1] << 8));
    std::uint32_t value = 0xA5A5A5A5;
    if (!CTerrionCodec::ParseSignature(text, value))
        Check(value == 0xA5A5A5A5); // a refused text leaves the value alone
    else
        Check(std::any_of(text.begin(), text.end(),
                          [](wchar_t c) {
                              return c < 0x80 && CTerrionCodec::HexDigit(static_cast<std::uint8_t>(c)) >= 0;
                          }));
}

void FuzzTextReply(TBytes bytes)
{
    const std::string_view line = Text(bytes);
    for (bool cutAtLastCr : {false, true})
    {
        const auto answer = CTextReply::ExtractAnswer(line, cutAtLastCr);
        if (!answer)
            continue;
        Check(line.find(*answer) != std::string_view::npos); // a piece of the line
        if (!cutAtLastCr)
            Check(answer->find('\r') == std::string::npos);
        SDeviceInfo info;
        if (CTextReply::ParseId(*answer, info))
            Check(!info.typeName.empty() && !info.firmwareVersion.empty() && !info.serialNumber.empty());
    }
    if (CTextReply::IsCompleteWithoutEnd(line))
        Check(!line.empty() && line.back() == '\r');
    std::size_t characters = 0;
    for (const std::string& token : CTextReply::Tokenize(line, ';'))
    {
        Check(!token.empty() && token.find(';') == std::string::npos);
        characters += token.size();
    }
    Check(characters <= line.size());
    Check(CTextReply::Narrow(CTextReply::Widen(line)) == line);
}

void FuzzFrames(TBytes bytes)
{
    if (bytes.size() >= CFrameCodec::kExtendedHeaderSize)
    {
        const auto header = CFrameCodec::ParseExtendedHeader(
            std::span<const std::uint8_t, CFrameCodec::kExtendedHeaderSize>(bytes.data(), 4));
        Check(header.dataLength < (1u << 24));
        Check(header.checksumLength == CFrameCodec::ChecksumLength(header.checksumKind));
        Check(header.Total() >= 0 && header.Total() < (1 << 24) + 4);
        const TBytes data = bytes.subspan(CFrameCodec::kExtendedHeaderSize);
        const auto checksum = CFrameCodec::ComputeChecksum(header.checksumKind, data);
        Check(checksum.size() == static_cast<std::size_t>(header.checksumLength));
        Check(CFrameCodec::VerifyChecksum(header.checksumKind, data, checksum));
    }
    for (std::uint8_t byte : bytes)
    {
        const auto kind = CFrameCodec::ClassifyReply(byte);
        Check(kind >= CFrameCodec::rkDone && kind <= CFrameCodec::rkStatus);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const TBytes rest(data + 1, size - 1);
    switch (data[0] % 7)
    {
    case 0:
        FuzzRecords(rest);
        break;
    case 1:
        FuzzSettings(rest);
        break;
    case 2:
        FuzzDump(rest);
        break;
    case 3:
        FuzzIdentity(rest);
        break;
    case 4:
        FuzzSignature(rest);
        break;
    case 5:
        FuzzTextReply(rest);
        break;
    default:
        FuzzFrames(rest);
        break;
    }
    return 0;
}
