#pragma once
// The CSV/text export of series reports in the forms that need no window:
// one file for all chosen series, one numbered file per series, and the text
// for the clipboard. Files are UTF-16LE with byte-order mark and replace an
// existing file only once they are complete.

#include "data/TerrionData.h"
#include "export/ExportTypes.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CTerrionDoc;
class CReportExportUi;
namespace Platform
{
class CClipboardData;
}

class CReportExport
{
public:
    /// included holds one flag per project series in grid order (missing
    /// entries count as false).
    using TIncluded = std::vector<bool>;

    /// The whole export to one target, as the page runs it after its
    /// dialog: progress from 0 with the preparing text to 1000. The clipboard
    /// target hands the text to ui->PutOnClipboard. False when a file could
    /// not be written or the clipboard not be set.
    static bool Export(const CTerrionDoc& doc, NExportTarget target, const TIncluded& included,
                       const std::wstring& path, CReportExportUi* ui);
    /// Copy: the marked series in the private format and the text of the
    /// included (selected) series, put on the clipboard in one write.
    static bool Copy(CTerrionDoc& doc, const CTerrionData::TSelection& marked, const TIncluded& included,
                     CReportExportUi* ui);

    /// The reports of the included series with the separator between two.
    /// beforeSeries, when given, is called with every series index before its report is added.
    static std::wstring JoinReports(const CTerrionDoc& doc, const TIncluded& included,
                                    std::size_t reserve = 0,
                                    const std::function<void(int)>& beforeSeries = {});
    /// Writes the byte-order mark and the joined reports to path. A file that
    /// cannot be written is reported through ui; false then.
    static bool WriteOneFile(const CTerrionDoc& doc, const TIncluded& included, const std::wstring& path,
                             CReportExportUi* ui);
    /// Writes each included series into its own numbered file (see
    /// CExportFileName::Numbered); returns the number of files written.
    static int WriteSeparateFiles(const CTerrionDoc& doc, const TIncluded& included, const std::wstring& path,
                                  CReportExportUi* ui);
    /// The clipboard text: the joined reports with every ';' turned into a TAB.
    static std::wstring ClipboardText(const CTerrionDoc& doc, const TIncluded& included, CReportExportUi* ui,
                                      const std::wstring& path = {});
    /// The clipboard's bytes: UTF-16LE code units and one 16-bit zero.
    static std::vector<std::uint8_t> ClipboardBytes(const std::wstring& text);
    /// Adds the clipboard text to data as Unicode text, beside what a copy
    /// puts there in other formats.
    static void PutClipboardText(const std::wstring& text, Platform::CClipboardData& data);

    /// The message of a file that cannot be created: "<text> <path>!".
    static std::wstring FileFailedMessage(const std::wstring& path);
    /// UTF-16LE code units of text (characters past U+FFFF as surrogate
    /// pairs; a lone surrogate stays, as the project archive keeps it).
    static void AppendUtf16Le(const std::wstring& text, std::vector<std::uint8_t>& out);

private:
    /// Writes bytes to a new file beside path and renames it over path.
    static bool WriteWholeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes);
};
