// Fuzzes the pure decoders of the maker's other instruments: the first input
// byte chooses the reader, the rest is what the instrument sent.
//   0 the cover meter's 262-byte object record   1 its binary download reply
//   2 its text download reply                     3 its memory-access hex text
//   4 an object's data-file text, imported and written back
//   5 an object built from the input, written and imported
//   6 the data-file text's values and escaping    7 the "@ID@" answer
//   8 the listening identification's lines        9 the probe parameter block
//  10 the OS-based instruments' upgrade rules     11 model names, serials, versions

#include "device/DeviceInfo.h"
#include "device/TextReply.h"
#include "device/others/Brivonta2Device.h"
#include "device/others/IdentAnswer.h"
#include "device/others/KindravelCodec.h"
#include "device/others/KindravelText.h"
#include "device/others/KrastelProtocol.h"
#include "device/others/ListeningDecoder.h"
#include "device/others/OsUpgradeRules.h"
#include "device/others/ProbeParameters.h"
#include "streams/Version.h"
#include "tests/fuzz/FuzzInput.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace
{

using namespace Device;
using TerrionFuzz::CFuzzInput;
using TBytes = std::span<const std::uint8_t>;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

std::wstring Widen(TBytes bytes)
{
    return CTextReply::Widen(CFuzzInput::AsText(bytes));
}

void CheckObject(const TKindravelObject& object)
{
    Check(object.readings.size() <= TKindravelObject::kMaxReadings);
    for (const TKindravelMeas& meas : object.readings)
        Check(meas.number <= 99 && meas.rawDiameter <= 60);
}

void FuzzRecord(TBytes bytes)
{
    if (bytes.size() < CKindravelCodec::kRecordSize)
        return;
    TKindravelObject object;
    const bool decoded =
        CKindravelCodec::DecodeRecord(std::span<const std::uint8_t, CKindravelCodec::kRecordSize>(
                                          bytes.data(), CKindravelCodec::kRecordSize),
                                      object);
    Check(decoded == (bytes[63] <= TKindravelObject::kMaxReadings));
    if (decoded)
        Check(object.readings.size() == bytes[63]);
}

void FuzzBinaryReply(TBytes bytes)
{
    TKindravelObjectSet set;
    CKindravelCodec::DecodeBinaryReply(bytes, set);
    // Every object decoded from a whole record that arrived.
    Check(CKindravelCodec::kReplyHeaderSize + set.objects.size() * CKindravelCodec::kRecordSize <=
              bytes.size() ||
          set.objects.empty());
}

void FuzzTextReply(TBytes bytes)
{
    TKindravelObjectSet set;
    CKindravelCodec::DecodeTextReply(Widen(bytes), set);
    Check(set.objects.size() <= static_cast<std::size_t>(CKindravelCodec::kMaxTextObjects));
    for (const TKindravelObject& object : set.objects)
        CheckObject(object);
}

void FuzzHexText(TBytes bytes)
{
    const std::vector<std::uint8_t> decoded = CKindravelCodec::DecodeHexText(bytes);
    Check(decoded.size() <= bytes.size() / 2);
}

/// Writes the object both ways: into a buffer that is too short (nothing
/// may land beyond it) and as a string; then reads the text back.
void ExportAndImport(const TKindravelObject& object)
{
    const std::wstring text = CKindravelText::ExportObjectText(object);
    if (!text.empty())
    {
        std::vector<wchar_t> shorter(text.size() / 2 + 1, L'#');
        Check(CKindravelText::ExportObjectText(object,
                                               std::span<wchar_t>(shorter.data(), shorter.size() - 1)) == 0);
        Check(shorter.back() == L'#');
        std::vector<wchar_t> exact(text.size());
        Check(CKindravelText::ExportObjectText(object, exact) == static_cast<int>(text.size()));
        Check(std::wstring(exact.begin(), exact.end()) == text);
    }
    TKindravelObject back;
    if (CKindravelText::ImportObjectText(back, text))
        CheckObject(back);
}

void FuzzObjectText(TBytes bytes)
{
    TKindravelObject object;
    if (!CKindravelText::ImportObjectText(object, Widen(bytes)))
        return;
    Check(bytes.size() <= CKindravelText::kMaxObjectText);
    CheckObject(object);
    ExportAndImport(object);
}

void FuzzBuiltObject(CFuzzInput& input)
{
    TKindravelObject object;
    object.formatVersion = CVersion(input.Word(), input.Word(), input.Word(), input.Word());
    object.regional = input.Byte() % 5;
    object.storageMode = static_cast<std::int8_t>(input.Byte() % 3);
    object.rawDefaultBarDiameter = input.Byte();
    object.neighbourCorrection = input.Byte();
    object.objectNumber = input.Word();
    object.date = static_cast<std::int32_t>(input.Dword()) * std::int64_t{1000};
    object.ident.typeName = input.WideText();
    object.ident.serialNumber = input.WideText();
    object.comment = input.WideText();
    object.objectName = input.WideText();
    const std::size_t count = input.Byte() % (TKindravelObject::kMaxReadings + 1);
    for (std::size_t i = 0; i < count && !input.Empty(); ++i)
        object.readings.push_back({input.Byte(), input.Byte(), input.Byte()});
    ExportAndImport(object);
}

void FuzzValues(CFuzzInput& input)
{
    const int regional = static_cast<std::int8_t>(input.Byte());
    const int number = static_cast<std::int32_t>(input.Dword());
    CKindravelText::FormatBarDiameter(regional, number);
    CKindravelText::FormatCorrection(regional, number);
    const std::wstring text = Widen(input.Rest());
    const int cover = CKindravelText::ParseCoverText(regional, text);
    Check(cover >= -1 && cover <= 255);
    const int correction = CKindravelText::ParseCorrectionText(regional, text);
    Check(correction >= -1 && correction <= 150);
    const std::wstring encoded = CKindravelText::EscapeText(text, true);
    Check(encoded.find(L'"') == std::wstring::npos && encoded.find(L'\t') == std::wstring::npos &&
          encoded.find(L'\n') == std::wstring::npos);
    CKindravelText::EscapeText(text, false);
    CKindravelText::EscapeText(encoded, false);
}

void FuzzIdentAnswer(CFuzzInput& input)
{
    const std::string answer(CFuzzInput::AsText(input.Rest()));
    const std::string once = CIdentAnswer::FillOnce(answer);
    const std::string all = CIdentAnswer::FillAll(answer);
    Check(all.find(";;") == std::string::npos);
    Check(once.size() <= 2 * answer.size() && all.size() <= 2 * answer.size());
    SDeviceIdentEx ident;
    std::wstring* fields[] = {&ident.typeName,  &ident.hardwareRevision, &ident.serialNumber,
                              &ident.signature, &ident.firmwareVersion,  &ident.bootloaderVersion};
    for (bool lastOptional : {false, true})
        if (CIdentAnswer::Split(all, fields, lastOptional) && !lastOptional)
            Check(std::count(all.begin(), all.end(), ';') >=
                  static_cast<std::ptrdiff_t>(std::size(fields)) - 1);
    std::uint32_t signature = 0;
    CIdentAnswer::ParseSignature(ident.signature, signature);
    CIdentAnswer::IsFamily(ident.signature, static_cast<int>(signature >> 24));
    CIdentAnswer::DeviceId(ident.signature);
    CIdentAnswer::InfoText(ident);
    CIdentAnswer::Format(CTextReply::Widen(answer), {ident.typeName, ident.serialNumber});
    CVersion version(ident.firmwareVersion);
    static_cast<void>(version);
}

void FuzzListening(TBytes bytes)
{
    CListeningDecoder decoder;
    for (std::uint8_t byte : bytes)
    {
        const CListeningDecoder::NResult result = decoder.Feed(byte);
        Check(decoder.LineLength() <= CListeningDecoder::kMaxLine);
        if (result == CListeningDecoder::lrIdentified)
            Check(decoder.CountedLines() >= CListeningDecoder::kLinesNeeded);
        if (result != CListeningDecoder::lrListening)
            break;
    }
}

void FuzzProbeParameters(CFuzzInput& input)
{
    const auto block = input.Take(CProbeParameters::kBlockSize);
    if (block.size() < CProbeParameters::kBlockSize)
        return;
    const SProbeParameters read = CProbeParameters::FromWire(
        std::span<const std::uint8_t, CProbeParameters::kBlockSize>(block.data(), block.size()));
    std::array<std::uint8_t, CProbeParameters::kBlockSize> wire{};
    CProbeParameters::ToWire(read, wire);
    // Any bit pattern, not-a-number and infinities included, as a caller could fill it.
    SProbeParameters raw;
    const auto bits = input.Take(sizeof raw);
    std::memcpy(&raw, bits.data(), bits.size());
    std::array<std::uint8_t, CProbeParameters::kBlockSize> untouched{};
    untouched.fill(0x5A);
    if (!CProbeParameters::ToWire(raw, untouched))
        for (std::uint8_t byte : untouched)
            Check(byte == 0x5A);
}

void FuzzUpgradeRules(CFuzzInput& input)
{
    const std::uint16_t lowest = input.Word();
    const std::uint16_t highest = input.Word();
    const std::uint16_t mask = input.Word();
    const auto lastLetter = static_cast<wchar_t>(L'A' + input.Byte() % 26);
    const CVersion required(input.Word(), input.Word(), input.Word(), input.Word());
    std::wstring revision = input.WideText();
    const std::wstring text = Widen(input.Rest());
    COsUpgradeRules::HasNoLogin(text);
    const int hardware = COsUpgradeRules::CheckHardware(revision, lowest, highest, lastLetter, mask);
    Check(hardware == 0 || hardware == ecWrongHardware);
    const int os = COsUpgradeRules::CheckOs(text, required);
    Check(os == 0 || os == ecOsTooOld);
}

void FuzzNames(CFuzzInput& input)
{
    const std::wstring text = Widen(input.Rest());
    CKrastelProtocol::ModelName(text);
    std::array<std::uint8_t, CBrivonta2Device::kPacketSize> packet{};
    if (CBrivonta2Device::BuildSerialPacket(text, packet))
        Check(packet[0] == 0x90 && packet[7] == 0x70);
    else
        for (std::uint8_t byte : packet)
            Check(byte == 0);
    const CVersion version(text);
    static_cast<void>(version.ToString(4));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CFuzzInput input(data, size);
    switch (input.Byte() % 12)
    {
    case 0:
        FuzzRecord(input.Rest());
        break;
    case 1:
        FuzzBinaryReply(input.Rest());
        break;
    case 2:
        FuzzTextReply(input.Rest());
        break;
    case 3:
        FuzzHexText(input.Rest());
        break;
    case 4:
        FuzzObjectText(input.Rest());
        break;
    case 5:
        FuzzBuiltObject(input);
        break;
    case 6:
        FuzzValues(input);
        break;
    case 7:
        FuzzIdentAnswer(input);
        break;
    case 8:
        FuzzListening(input.Rest());
        break;
    case 9:
        FuzzProbeParameters(input);
        break;
    case 10:
        FuzzUpgradeRules(input);
        break;
    default:
        FuzzNames(input);
        break;
    }
    return 0;
}
