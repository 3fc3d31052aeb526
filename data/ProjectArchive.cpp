#include "data/ProjectArchive.h"

#include "streams/FileException.h"
#include "streams/VNArchive.h"
#include "streams/Win32Error.h"

void CProjectArchive::WriteHeader(StreamIO::CVNArchive& archive, const CVersion& writer)
{
    archive.WriteString(kMagic);
    for (int part = 0; part < 4; ++part)
        archive.WriteWord(writer.GetPart(part));
    archive.WriteWord(CTerrionData::kCurrentFormat);
}

void CProjectArchive::Read(StreamIO::CVNArchive& archive)
{
    std::wstring magic;
    archive.ReadString(magic);
    if (magic != kMagic)
        StreamIO::CFileException::ThrowOsError(StreamIO::errInvalidData, L"");
    std::uint16_t ignored = 0;
    for (int part = 0; part < 4; ++part)
        archive.ReadWord(ignored);
    archive.ReadWord(formatVersion);

    std::uint32_t flag = 0;
    archive.ReadDWord(flag);
    hasOriginal = flag != 0;
    if (hasOriginal)
        original.Load(archive, formatVersion);
    archive.ReadDWord(flag);
    hasProject = flag != 0;
    if (hasProject)
        project.Load(archive, formatVersion);
    archive.ReadString(comment);
}
