#pragma once
// The byte layout of one series record of a project data block: the
// instrument strings, the settings, identifier, name, time, statistics,
// comment, flags and readings. Older (format 1) records lack the settings
// tail and read with fixed defaults.

#include "data/MeasSeries.h"

#include <cstdint>

namespace StreamIO
{
class CVNArchive;
}

class CSeriesRecord
{
public:
    /// Writes series in the current format. A reading count larger than the
    /// stored readings throws std::invalid_argument.
    static void Write(StreamIO::CVNArchive& archive, const TMeasSeries& series);
    /// Reads one record into series (which starts out as constructed). A
    /// reading count that is negative throws CFileException 13; the readings
    /// array never grows beyond the readings that are really in the archive.
    static void Read(StreamIO::CVNArchive& archive, std::uint16_t formatVersion, TMeasSeries& series);

private:
    static bool ReadBool(StreamIO::CVNArchive& archive);
};
