#pragma once
// The header and footer of the printed series grid: the maker, the page's
// title and the program's version on top; the page count, the project file's
// name and the print date and time below.

#include "grid/GridPrintText.h"

#include <cstdint>

class CFileVersionInfo;
class CTerrionDoc;

class CSeriesPrintText
{
public:
    /// dtFormat is the "DTFormat" setting whose patterns date the pages.
    static SGridPrintText Make(const CTerrionDoc& doc, const CFileVersionInfo& program,
                               std::uint32_t dtFormat);
};
