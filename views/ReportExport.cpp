#include "views/ReportExport.h"

#include "data/TerrionDoc.h"
#include "platform/ClipboardData.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "resources/TextFormat.h"
#include "streams/AtomicFileWriter.h"
#include "streams/TextCodec.h"
#include "views/ReportExportUi.h"
#include "views/SeriesReport.h"

#include <algorithm>
#include <functional>

namespace
{
bool IsIncluded(const CReportExport::TIncluded& included, int i)
{
    return i >= 0 && static_cast<std::size_t>(i) < included.size() && included[static_cast<std::size_t>(i)];
}

int CountIncluded(const CTerrionDoc& doc, const CReportExport::TIncluded& included)
{
    int n = 0;
    for (int i = 0; i < doc.GetSeriesCount(); ++i)
        n += IsIncluded(included, i) ? 1 : 0;
    return n;
}

// trunc(k / n x scale + offset), kept on the bar; nothing to export keeps it at 0.
int Position(int k, int n, int scale, int offset = 0)
{
    if (n <= 0)
        return 0;
    const long long position = static_cast<long long>(k) * scale / n + offset;
    return static_cast<int>(std::clamp<long long>(position, 0, 1000));
}

std::wstring CreatingText(const std::wstring& name)
{
    return Resources::CTextFormat::Format(Resources::Ids::kCreatingFile, {name});
}

void Progress(CReportExportUi* ui, int position)
{
    if (ui)
        ui->SetProgress(position);
}

void ProgressText(CReportExportUi* ui, const std::wstring& text)
{
    if (ui)
        ui->SetProgressText(text);
}
} // namespace

std::wstring CReportExport::JoinReports(const CTerrionDoc& doc, const TIncluded& included,
                                        std::size_t reserve, const std::function<void(int)>& beforeSeries)
{
    std::wstring text;
    text.reserve(reserve);
    bool first = true;
    for (int i = 0; i < doc.GetSeriesCount(); ++i)
    {
        if (beforeSeries)
            beforeSeries(i);
        if (!IsIncluded(included, i))
            continue;
        if (!first)
            text += CSeriesReport::Separator();
        CSeriesReport::GetSeriesReport(doc, i, text);
        first = false;
    }
    return text;
}

bool CReportExport::WriteOneFile(const CTerrionDoc& doc, const TIncluded& included, const std::wstring& path,
                                 CReportExportUi* ui)
{
    const int n = CountIncluded(doc, included);
    std::vector<std::uint8_t> bytes = {0xFF, 0xFE};
    bool first = true;
    for (int i = 0; i < doc.GetSeriesCount(); ++i)
    {
        Progress(ui, Position(i, n, 950));
        ProgressText(ui, CreatingText(path));
        if (!IsIncluded(included, i))
            continue;
        std::wstring report;
        CSeriesReport::GetSeriesReport(doc, i, report);
        if (!first)
            AppendUtf16Le(CSeriesReport::Separator(), bytes);
        AppendUtf16Le(report, bytes);
        first = false;
    }
    if (!WriteWholeFile(path, bytes))
    {
        if (ui)
            ui->ShowMessage(Resources::NMessageKind::Error, FileFailedMessage(path));
        return false;
    }
    return true;
}

int CReportExport::WriteSeparateFiles(const CTerrionDoc& doc, const TIncluded& included,
                                      const std::wstring& path, CReportExportUi* ui)
{
    const int n = CountIncluded(doc, included);
    int begun = 0;
    int written = 0;
    for (int i = 0; i < doc.GetSeriesCount(); ++i)
    {
        if (!IsIncluded(included, i))
            continue;
        for (;;)
        {
            const std::wstring name = NumberedFileName(path, begun + 1);
            Progress(ui, Position(begun, n, 990));
            ProgressText(ui, CreatingText(name));
            std::wstring report;
            CSeriesReport::GetSeriesReport(doc, i, report);
            std::vector<std::uint8_t> bytes = {0xFF, 0xFE};
            AppendUtf16Le(report, bytes);
            ++begun; // a failed file's number is not used again
            if (WriteWholeFile(name, bytes))
            {
                ++written;
                break;
            }
            const auto answer = ui ? ui->AskFileFailed(FileFailedMessage(path)) : CReportExportUi::FILE_ABORT;
            if (answer == CReportExportUi::FILE_ABORT)
                return written;
            if (answer == CReportExportUi::FILE_IGNORE)
                break;
        }
    }
    return written;
}

std::wstring CReportExport::ClipboardText(const CTerrionDoc& doc, const TIncluded& included,
                                          CReportExportUi* ui, const std::wstring& path)
{
    const int n = CountIncluded(doc, included);
    Progress(ui, 0);
    ProgressText(ui, CreatingText(path));

    // Two passes so that the text's storage is reserved once.
    std::size_t total = 0;
    int k = 0;
    for (int i = 0; i < doc.GetSeriesCount(); ++i)
    {
        if (!IsIncluded(included, i))
            continue;
        Progress(ui, Position(k, n, 400));
        std::wstring report;
        total += static_cast<std::size_t>(CSeriesReport::GetSeriesReport(doc, i, report));
        if (k > 0)
            total += CSeriesReport::Separator().size();
        ++k;
    }
    std::wstring text =
        JoinReports(doc, included, total, [&](int i) { Progress(ui, Position(i, n, 600, 400)); });
    std::replace(text.begin(), text.end(), L';', L'\t');
    return text;
}

std::vector<std::uint8_t> CReportExport::ClipboardBytes(const std::wstring& text)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(2 * text.size() + 2);
    AppendUtf16Le(text, bytes);
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

void CReportExport::PutClipboardText(const std::wstring& text, Platform::CClipboardData& data)
{
    data.Set(Platform::CClipboardData::kUnicodeText, ClipboardBytes(text));
}

std::wstring CReportExport::NumberedFileName(const std::wstring& path, int number)
{
    const std::size_t keep = path.size() > 4 ? path.size() - 4 : 0;
    return path.substr(0, keep) + std::to_wstring(number) + path.substr(keep);
}

std::wstring CReportExport::FileFailedMessage(const std::wstring& path)
{
    return Resources::CStringTable::Text(Resources::Ids::kCannotCreateFile) + L" " + path + L"!";
}

void CReportExport::AppendUtf16Le(const std::wstring& text, std::vector<std::uint8_t>& out)
{
    auto unit = [&out](std::uint32_t u)
    {
        out.push_back(static_cast<std::uint8_t>(u & 0xFF));
        out.push_back(static_cast<std::uint8_t>(u >> 8));
    };
    for (wchar_t wc : text)
    {
        auto c = static_cast<std::uint32_t>(wc);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            c = 0xFFFD;
        if (c >= 0x10000)
        {
            c -= 0x10000;
            unit(0xD800 + (c >> 10));
            unit(0xDC00 + (c & 0x3FF));
        }
        else
            unit(c);
    }
}

bool CReportExport::WriteWholeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes)
{
    return StreamIO::CAtomicFileWriter::WriteFile(path, bytes) == 0;
}
