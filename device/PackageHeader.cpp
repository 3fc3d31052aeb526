#include "device/PackageHeader.h"
#include "streams/LittleEndian.h"

#include "streams/FileException.h"
#include "streams/IoStream.h"

#include <cstdio>
#include <cwchar>

namespace Device
{
namespace
{

CVersion ThreePartVersion(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return CVersion(StreamIO::CLittleEndian::Get16(bytes, offset),
                    StreamIO::CLittleEndian::Get16(bytes, offset + 2),
                    StreamIO::CLittleEndian::Get16(bytes, offset + 4), 0);
}

template <std::size_t N> bool ReadBlock(StreamIO::CIoStream* stream, std::array<std::uint8_t, N>& bytes)
{
    return stream->Read(bytes.data(), static_cast<int>(N)) == static_cast<int>(N);
}

} // namespace

bool CPackageHeader::Read(StreamIO::CIoStream* stream)
{
    if (stream == nullptr)
        return false;
    try
    {
        std::array<std::uint8_t, kHeaderSize> header{};
        if (!ReadBlock(stream, header) || !ReadHeader(header))
            return false;
        for (std::uint32_t i = 0; i < m_nEntryCount; ++i)
        {
            std::array<std::uint8_t, kEntrySize> entry{};
            if (!ReadBlock(stream, entry) || !ReadEntry(entry))
                return false;
        }
        std::array<std::uint8_t, kTrailerSize> trailer{};
        return ReadBlock(stream, trailer) && ReadTrailer(trailer);
    }
    catch (const StreamIO::CFileException&)
    {
        return false;
    }
}

bool CPackageHeader::ReadHeader(std::span<const std::uint8_t, kHeaderSize> bytes)
{
    m_bHeaderRead = false;
    m_bEntriesRead = false;
    m_bTrailerRead = false;
    m_contents.m_entries.clear();
    const std::uint32_t count = StreamIO::CLittleEndian::Get32(bytes, 12);
    if (StreamIO::CLittleEndian::Get32(bytes, 0) != kMagic || StreamIO::CLittleEndian::Get32(bytes, 4) != 1 ||
        StreamIO::CLittleEndian::Get16(bytes, 8) != 1 || count < 1 || count > kMaxEntries)
        return false;
    m_contents.m_version = CVersion(0, 1, 0, StreamIO::CLittleEndian::Get16(bytes, 10));
    m_nEntryCount = count;
    m_bHeaderRead = true;
    return true;
}

bool CPackageHeader::ReadEntry(std::span<const std::uint8_t, kEntrySize> bytes)
{
    if (!m_bHeaderRead || m_bEntriesRead)
        return false;
    const std::uint16_t type = StreamIO::CLittleEndian::Get16(bytes, 2);
    const std::uint16_t blocks = StreamIO::CLittleEndian::Get16(bytes, 16);
    if (type >= 8 || blocks == 0)
        return false;
    SContentEntry entry;
    entry.flags = bytes[0];
    entry.secondByte = bytes[1];
    entry.type = type;
    entry.version = ThreePartVersion(bytes, 4);
    entry.firstBlock = StreamIO::CLittleEndian::Get16(bytes, 14);
    entry.blockCount = blocks;
    if (entry.flags & 0x02)
        entry.code = {static_cast<wchar_t>(bytes[10]), static_cast<wchar_t>(bytes[11]),
                      static_cast<wchar_t>(bytes[12])};
    const std::uint8_t size = bytes[13];
    wchar_t text[32] = {};
    if ((entry.flags & 0x20) && size != 0)
    {
        std::swprintf(text, 32, L"%d kB", size * 4);
        entry.sizeText = text;
    }
    else if ((entry.flags & 0x40) && size != 0)
    {
        // Tenths of a megabyte, with a point whatever the process locale says.
        std::swprintf(text, 32, L"%d.%d MB", size / 10, size % 10);
        entry.sizeText = text;
    }
    m_contents.m_entries.push_back(entry);
    if (m_contents.m_entries.size() == m_nEntryCount)
        m_bEntriesRead = true;
    return true;
}

bool CPackageHeader::ReadTrailer(std::span<const std::uint8_t, kTrailerSize> bytes)
{
    const std::uint32_t blocks = StreamIO::CLittleEndian::Get32(bytes, 0);
    const std::uint8_t kind = bytes[16];
    if (!m_bHeaderRead || !m_bEntriesRead || blocks == 0 ||
        !(kind == 0 || kind == 1 || kind == 2 || kind == 4))
        return false;
    m_nBlockCount = blocks;
    m_version = ThreePartVersion(bytes, 4);
    m_nDeviceId = StreamIO::CLittleEndian::Get32(bytes, 12);
    m_nChecksumKind = kind;
    m_nDeviceCheck = StreamIO::CLittleEndian::Get32(bytes, 17);
    m_nReserved = StreamIO::CLittleEndian::Get32(bytes, 21);
    m_nMinHardware = StreamIO::CLittleEndian::Get16(bytes, 25);
    m_nMaxHardware = StreamIO::CLittleEndian::Get16(bytes, 27);
    for (int i = 0; i < kDescriptorSize; ++i)
        m_descriptor[static_cast<std::size_t>(i)] = bytes[static_cast<std::size_t>(33 + i)];
    m_bTrailerRead = true;
    return true;
}

} // namespace Device
