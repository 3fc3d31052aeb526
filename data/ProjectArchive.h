#pragma once
// The project archive (file or clipboard) apart from the document: its
// header, and a finished read of a whole archive into containers of its own,
// so that a failed read leaves the document untouched.
//
// Layout: string "VarneL Terrionlink project file"; four 16-bit writer
// version parts (major first); 16-bit format version; 32-bit original-data
// flag and, when not 0, a data block; 32-bit project-data flag and, when not
// 0, a data block; the summary comment string.

#include "data/TerrionData.h"
#include "streams/Version.h"

#include <cstdint>
#include <string>

class CProjectArchive
{
public:
    static constexpr const wchar_t* kMagic = L"VarneL Terrionlink project file";

    /// Writes the magic, the writer's version and the current format.
    static void WriteHeader(StreamIO::CVNArchive& archive, const CVersion& writer);

    /// Reads a whole archive. Failures throw CFileException (13 for a wrong
    /// magic or impossible count, 38 for missing bytes); this object then
    /// holds nothing useful and the caller drops it.
    void Read(StreamIO::CVNArchive& archive);

    std::uint16_t formatVersion = 0; ///< valid once the header was read
    bool hasOriginal = false;
    bool hasProject = false;
    CTerrionData original;
    CTerrionData project;
    std::wstring comment;
};
