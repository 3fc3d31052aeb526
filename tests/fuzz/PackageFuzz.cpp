// Fuzzes the firmware package reader: the input is the start of a package
// file, read through an in-memory stream. A package read whole must account
// for every entry it announced from bytes that are really there, and leave
// the stream just behind its trailer.

#include "device/PackageHeader.h"
#include "streams/StreamFactory.h"

#include <cstdint>
#include <cstdlib>

namespace
{

constexpr std::uint32_t kRamFlags = 0x33; // read, write, create always

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using Device::CPackageHeader;
    auto stream = StreamIO::CreateStream(L"RAM:FuzzPackage", kRamFlags);
    if (size > 0)
        stream->Write(data, static_cast<int>(size));
    stream->SetPosition(0);

    CPackageHeader package;
    const bool read = package.Read(stream.get());
    const std::size_t entries = package.m_contents.m_entries.size();

    // Never more entries than announced, nor than the bytes after the header hold.
    Check(entries <= package.m_nEntryCount);
    Check(entries <= CPackageHeader::kMaxEntries);
    if (entries > 0)
        Check(size >= CPackageHeader::kHeaderSize + entries * CPackageHeader::kEntrySize);
    for (const Device::SContentEntry& entry : package.m_contents.m_entries)
    {
        Check(entry.type >= 0 && entry.type < 8 && entry.blockCount != 0);
        Check(entry.code.empty() || entry.code.size() == 3);
        Check(entry.sizeText.size() < 32);
    }

    Check(read == package.IsComplete());
    if (read)
    {
        const std::size_t used =
            CPackageHeader::kHeaderSize + entries * CPackageHeader::kEntrySize + CPackageHeader::kTrailerSize;
        Check(entries == package.m_nEntryCount && size >= used);
        Check(static_cast<std::size_t>(stream->GetPosition()) == used);
        Check(package.m_nBlockCount != 0);
        const std::uint8_t kind = package.m_nChecksumKind;
        Check(kind == 0 || kind == 1 || kind == 2 || kind == 4);
    }
    return 0;
}
