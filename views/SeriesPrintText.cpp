#include "views/SeriesPrintText.h"

#include "data/TerrionDoc.h"
#include "export/ExportFileName.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "resources/TextFormat.h"
#include "streams/FileVersionInfo.h"
#include "views/DateTimeFormat.h"

#include <string>

SGridPrintText CSeriesPrintText::Make(const CTerrionDoc& doc, const CFileVersionInfo& program,
                                      std::uint32_t dtFormat)
{
    namespace Ids = Resources::Ids;
    SGridPrintText text;
    text.headerLeft = Resources::CStringTable::Text(Ids::kPrintHeaderLeft);
    text.headerCenter = Resources::CStringTable::Text(Ids::kPrintHeaderCenter);
    // Without version information the grid prints the application's title there.
    if (!program.GetFileVersion().empty())
    {
        auto part = [&](int index) { return std::to_wstring(program.GetProductVersionPart(index)); };
        text.headerRight =
            Resources::CTextFormat::Format(Ids::kPrintHeaderVersion, {part(3), part(2), part(1), part(0)});
    }
    text.pageFormat = Ids::kPrintPageOfPages;
    // The project file's name with its extension, "Unnamed" or nothing.
    text.footerCenter = CExportFileName::FileName(doc.GetTitle(false));
    CDateTimeFormat::GetDateFormatString(dtFormat, &text.dateFormat);
    CDateTimeFormat::GetTimeFormatString(dtFormat, &text.timeFormat);
    return text;
}
