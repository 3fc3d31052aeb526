#include "device/others/KindravelCodec.h"

#include "device/TextReply.h"
#include "device/others/KindravelText.h"

#include <cwchar>
#include <cwctype>

namespace Device
{
namespace
{

std::wstring FieldText(std::span<const std::uint8_t> field)
{
    std::size_t length = 0;
    while (length < field.size() && field[length] != 0)
        ++length;
    return CTextReply::Widen(std::string_view(reinterpret_cast<const char*>(field.data()), length));
}

int HexValue(std::uint8_t c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads "%d" from the start of text (blanks skipped); false without digits.
bool ReadInt(std::wstring_view text, std::size_t& pos, long long& value)
{
    while (pos < text.size() && std::iswspace(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == L'-' || text[pos] == L'+'))
        negative = text[pos++] == L'-';
    const std::size_t start = pos;
    value = 0;
    while (pos < text.size() && text[pos] >= L'0' && text[pos] <= L'9' && value < 1000000000)
        value = value * 10 + (text[pos++] - L'0');
    if (pos == start)
        return false;
    if (negative)
        value = -value;
    return true;
}

} // namespace

bool CKindravelCodec::DecodeRecord(std::span<const std::uint8_t, kRecordSize> record,
                                   TKindravelObject& object)
{
    object.formatVersion = CVersion(0, record[0], 0, record[1]);
    object.ident.typeName = FieldText(record.subspan(2, 16));
    object.ident.serialNumber = FieldText(record.subspan(18, 16));
    object.ident.firmwareVersion = FieldText(record.subspan(34, 9));
    object.ident.hardwareRevision = FieldText(record.subspan(43, 5));
    object.ident.signature = FieldText(record.subspan(48, 9));
    object.regional = record[57];
    object.storageMode = record[58] == 'A' ? 1 : record[58] == 'M' ? 0 : -1;
    object.rawDefaultBarDiameter = record[59];
    object.neighbourCorrection = record[60];
    object.objectNumber = static_cast<std::uint16_t>(record[61] | record[62] << 8);
    const std::size_t count = record[63];
    if (count > TKindravelObject::kMaxReadings)
        return false;
    object.readings.clear();
    for (std::size_t i = 0; i < count; ++i)
        object.readings.push_back({static_cast<std::uint8_t>(i + 1), record[64 + i], record[163 + i]});
    return true;
}

bool CKindravelCodec::DecodeBinaryReply(std::span<const std::uint8_t> reply, TKindravelObjectSet& set)
{
    if (reply.size() < kReplyHeaderSize || reply[0] != 1)
        return false;
    const std::size_t count = reply[1] | static_cast<std::size_t>(reply[2]) << 8;
    const std::size_t size = reply[3] | static_cast<std::size_t>(reply[4]) << 8;
    if (size != kRecordSize)
        return false;
    set.formatVersion = CVersion(0, 1, 0, 0);
    bool ok = true;
    for (std::size_t i = 0; i < count; ++i)
    {
        const std::size_t offset = kReplyHeaderSize + i * kRecordSize;
        // The count comes from the instrument: never read past what arrived.
        if (offset + kRecordSize > reply.size())
            return false;
        TKindravelObject object;
        if (DecodeRecord(std::span<const std::uint8_t, kRecordSize>(reply.data() + offset, kRecordSize),
                         object))
            set.objects.push_back(std::move(object));
        else
            ok = false;
    }
    return ok;
}

bool CKindravelCodec::DecodeTextReply(const std::wstring& text, TKindravelObjectSet& set)
{
    if (text.size() < 2 || text[0] != L'1' || text[1] != L';')
        return false;
    std::size_t pos = 2;
    long long count = 0;
    if (!ReadInt(text, pos, count) || count < 1 || count > kMaxTextObjects)
        return false;
    set.formatVersion = CVersion(0, 1, 0, 0);
    static constexpr std::wstring_view kStart = L"Saltrevane+ Data File Version";
    static constexpr std::wstring_view kEnd = L"<eof>";
    int errors = 0;
    std::size_t from = 0;
    for (long long i = 0; i < count; ++i)
    {
        const std::size_t start = text.find(kStart, from);
        if (start == std::wstring::npos)
        {
            errors += static_cast<int>(count - i);
            break;
        }
        const std::size_t end = text.find(kEnd, start);
        if (end == std::wstring::npos)
        {
            ++errors;
            break;
        }
        TKindravelObject object;
        if (CKindravelText::ImportObjectText(object, text.substr(start, end - start)))
            set.objects.push_back(std::move(object));
        else
            ++errors;
        from = end;
    }
    return errors == 0;
}

std::vector<std::uint8_t> CKindravelCodec::DecodeHexText(std::span<const std::uint8_t> text)
{
    std::vector<std::uint8_t> bytes;
    std::size_t pos = 0;
    while (text.size() - pos >= 2)
    {
        if (text[pos] >= 'a' && text[pos] <= 'd')
        {
            ++pos;
            continue;
        }
        const int high = HexValue(text[pos]);
        const int low = HexValue(text[pos + 1]);
        if (high < 0 || low < 0)
            break;
        bytes.push_back(static_cast<std::uint8_t>(high << 4 | low));
        pos += 2;
    }
    return bytes;
}

} // namespace Device
