#include "data/SeriesRecord.h"

#include "streams/FileException.h"
#include "streams/VNArchive.h"
#include "streams/Win32Error.h"

#include <algorithm>
#include <bit>
#include <stdexcept>

namespace
{
// Readings that a count may reserve before any is read; beyond it the array
// grows with the readings actually present.
constexpr std::uint32_t kReadingsReserveLimit = 4096;
// A stored reading: record byte, value (double), current (16-bit).
constexpr std::uint32_t kReadingSize = 11;
// Readings read at once: as many as fit in one archive read (16-bit count).
constexpr std::uint32_t kChunkReadings = 0xFFFF / kReadingSize;

void WriteDouble(StreamIO::CVNArchive& ar, double value)
{
    ar.WriteQWord(std::bit_cast<std::uint64_t>(value));
}

double ReadDouble(StreamIO::CVNArchive& ar)
{
    std::uint64_t bits = 0;
    ar.ReadQWord(bits);
    return std::bit_cast<double>(bits);
}

void WriteBool(StreamIO::CVNArchive& ar, bool value)
{
    ar.WriteDWord(value ? 1u : 0u);
}
} // namespace

bool CSeriesRecord::ReadBool(StreamIO::CVNArchive& archive)
{
    std::uint32_t value = 0;
    archive.ReadDWord(value);
    return value == 1;
}

void CSeriesRecord::Write(StreamIO::CVNArchive& ar, const TMeasSeries& s)
{
    const auto& obj = s.object;
    const auto& set = obj.settings;
    if (s.nReadingCount < 0 || static_cast<std::size_t>(s.nReadingCount) > obj.readings.size())
        throw std::invalid_argument("reading count exceeds the stored readings");

    ar.WriteString(obj.ident.typeName);
    ar.WriteString(obj.ident.serialNumber);
    ar.WriteString(obj.ident.firmwareVersion);
    ar.WriteString(obj.ident.hardwareRevision);
    ar.WriteString(obj.ident.signature);
    ar.WriteWord(obj.objectNumber);
    ar.WriteWord(set.contactSpacing);
    WriteBool(ar, set.customSpacing);
    ar.WriteString(s.guid.ToString());
    ar.WriteString(s.strName);
    ar.WriteQWord(static_cast<std::uint64_t>(s.nTime));
    WriteDouble(ar, s.dMean);
    WriteDouble(ar, s.dMax);
    WriteDouble(ar, s.dMin);
    WriteDouble(ar, s.dStdDev);
    ar.WriteString(s.strComment);
    ar.WriteDWord(static_cast<std::uint32_t>(s.nReadingCount));
    WriteBool(ar, s.bExpanded);
    ar.WriteWord(s.nDiagramOrder);
    ar.WriteDWord(static_cast<std::uint32_t>(s.nReadingCount));
    for (std::int32_t r = 0; r < s.nReadingCount; ++r)
    {
        const auto& m = obj.readings[static_cast<std::size_t>(r)];
        ar.WriteByte(m.recordByte);
        WriteDouble(ar, m.value);
        ar.WriteWord(m.current);
    }
    WriteBool(ar, s.bInSummary);
    ar.WriteWord(set.defaultSpacing);
    ar.WriteWord(set.spacingWord);
    ar.WriteDWord(std::bit_cast<std::uint32_t>(set.correctionFactor));
    ar.WriteByte(static_cast<std::uint8_t>(set.correctionKind));
    ar.WriteByte(static_cast<std::uint8_t>(set.mode));
    ar.WriteByte(static_cast<std::uint8_t>(set.shape));
    ar.WriteByte(set.format);
    ar.WriteWord(set.length);
    ar.WriteWord(set.diameter);
    ar.WriteWord(set.depth);
}

void CSeriesRecord::Read(StreamIO::CVNArchive& ar, std::uint16_t formatVersion, TMeasSeries& s)
{
    auto& obj = s.object;
    auto& set = obj.settings;

    ar.ReadString(obj.ident.typeName);
    ar.ReadString(obj.ident.serialNumber);
    ar.ReadString(obj.ident.firmwareVersion);
    ar.ReadString(obj.ident.hardwareRevision);
    ar.ReadString(obj.ident.signature);
    ar.ReadWord(obj.objectNumber);
    ar.ReadWord(set.contactSpacing);
    set.customSpacing = ReadBool(ar);

    std::wstring guidText;
    ar.ReadString(guidText);
    const auto first = guidText.find_first_not_of(L'{');
    guidText = first == std::wstring::npos ? std::wstring() : guidText.substr(first);
    while (!guidText.empty() && guidText.back() == L'}')
        guidText.pop_back();
    // A malformed identifier leaves the null GUID, as files have always
    // been read; the series itself is still sound.
    TGuid::Parse(guidText, &s.guid);

    ar.ReadString(s.strName);
    std::uint64_t time = 0;
    ar.ReadQWord(time);
    s.nTime = static_cast<std::int64_t>(time);
    s.dMean = ReadDouble(ar);
    s.dMax = ReadDouble(ar);
    s.dMin = ReadDouble(ar);
    s.dStdDev = ReadDouble(ar);
    ar.ReadString(s.strComment);
    std::uint32_t count = 0;
    ar.ReadDWord(count); // the first count is superseded by the second
    s.bExpanded = ReadBool(ar);
    ar.ReadWord(s.nDiagramOrder);
    ar.ReadDWord(count);
    if (count > static_cast<std::uint32_t>(INT32_MAX))
        StreamIO::CFileException::ThrowOsError(StreamIO::errInvalidData, L"");
    s.nReadingCount = static_cast<std::int32_t>(count);
    obj.readings.clear();
    obj.readings.reserve(std::min(count, kReadingsReserveLimit));
    // Readings come in chunks; the array grows only by what was really read.
    std::uint8_t chunk[kChunkReadings * kReadingSize];
    for (std::uint32_t done = 0; done < count;)
    {
        const std::uint32_t n = std::min(count - done, kChunkReadings);
        ar.ReadBytes(chunk, static_cast<std::uint16_t>(n * kReadingSize));
        for (std::uint32_t r = 0; r < n; ++r)
        {
            const std::uint8_t* p = chunk + r * kReadingSize;
            Device::TMeas m{};
            m.recordByte = p[0];
            std::uint64_t bits = 0;
            for (int b = 7; b >= 0; --b)
                bits = bits << 8 | p[1 + b];
            m.value = std::bit_cast<double>(bits);
            m.current = static_cast<std::uint16_t>(p[9] | p[10] << 8);
            obj.readings.push_back(m);
        }
        done += n;
    }
    s.bInSummary = ReadBool(ar);
    s.bSelected = false;

    if (formatVersion >= 2)
    {
        ar.ReadWord(set.defaultSpacing);
        ar.ReadWord(set.spacingWord);
        std::uint32_t factor = 0;
        ar.ReadDWord(factor);
        set.correctionFactor = std::bit_cast<float>(factor);
        std::uint8_t code = 0;
        ar.ReadByte(code);
        set.correctionKind = static_cast<Device::NCorrectionKind>(code);
        ar.ReadByte(code);
        set.mode = static_cast<Device::NMeasurementMode>(code);
        ar.ReadByte(code);
        set.shape = static_cast<Device::NSpecimenShape>(code);
        ar.ReadByte(set.format);
        ar.ReadWord(set.length);
        ar.ReadWord(set.diameter);
        ar.ReadWord(set.depth);
    }
    else
    {
        set.defaultSpacing = 0;
        set.spacingWord = set.contactSpacing;
        set.correctionFactor = 1.0f;
        set.correctionKind = Device::NCorrectionKind::Custom;
        set.mode = Device::NMeasurementMode::Surface;
        set.shape = Device::NSpecimenShape::Flat;
        set.format = 1;
        set.length = 0;
        set.diameter = 0;
        set.depth = 0;
    }
}
