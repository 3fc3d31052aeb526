#include "views/ReportExport.h"

#include "data/TerrionDoc.h"
#include "export/ExportFileName.h"
#include "export/ExportProgress.h"
#include "platform/ClipboardData.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "resources/TextFormat.h"
#include "streams/AtomicFileWriter.h"
#include "streams/FileException.h"
#include "streams/TextCodec.h"
#include "views/ReportExportUi.h"
#include "views/SeriesReport.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace
{
// The one-file export hands its bytes to the file in pieces of about this size.
constexpr std::size_t kWriteChunk = 256 * 1024;

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

void Begin(CReportExportUi* ui)
{
    Progress(ui, 0);
    ProgressText(ui, Resources::CStringTable::Text(Resources::Ids::kPreparingExport));
}
} // namespace

bool CReportExport::Export(const CTerrionDoc& doc, NExportTarget target, const TIncluded& included,
                           const std::wstring& path, CReportExportUi* ui)
{
    Begin(ui);
    bool done = false;
    switch (target)
    {
    case EXPORT_TARGET_ONE_FILE:
        done = WriteOneFile(doc, included, path, ui);
        break;
    case EXPORT_TARGET_SEPARATE_FILES:
        done = WriteSeparateFiles(doc, included, path, ui) == CountIncluded(doc, included);
        break;
    case EXPORT_TARGET_CLIPBOARD:
    {
        Platform::CClipboardData data;
        PutClipboardText(ClipboardText(doc, included, ui, path), data);
        done = ui && ui->PutOnClipboard(data);
        break;
    }
    }
    Progress(ui, CExportProgress::kFull);
    return done;
}

bool CReportExport::Copy(CTerrionDoc& doc, const CTerrionData::TSelection& marked, const TIncluded& included,
                         CReportExportUi* ui)
{
    Begin(ui);
    Platform::CClipboardData data;
    PutClipboardText(ClipboardText(doc, included, ui), data);
    const bool done = doc.CopyToClipboard(marked, std::move(data));
    Progress(ui, CExportProgress::kFull);
    return done;
}

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
    try
    {
        // The reports go to a temporary file beside the target piece by
        // piece; only the complete file replaces the target.
        StreamIO::CAtomicFileWriter file(path);
        std::vector<std::uint8_t> bytes = {0xFF, 0xFE};
        bytes.reserve(kWriteChunk + 64 * 1024);
        std::wstring report;
        bool first = true;
        const std::wstring creating = CreatingText(path);
        for (int i = 0; i < doc.GetSeriesCount(); ++i)
        {
            Progress(ui, CExportProgress::Position(i, n, 950));
            ProgressText(ui, creating);
            if (!IsIncluded(included, i))
                continue;
            report.clear();
            CSeriesReport::GetSeriesReport(doc, i, report);
            if (!first)
                AppendUtf16Le(CSeriesReport::Separator(), bytes);
            AppendUtf16Le(report, bytes);
            first = false;
            if (bytes.size() >= kWriteChunk)
            {
                file.Write(bytes);
                bytes.clear();
            }
        }
        file.Write(bytes);
        file.Commit();
    }
    catch (const StreamIO::CFileException&)
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
            const std::wstring name = CExportFileName::Numbered(path, begun + 1);
            Progress(ui, CExportProgress::Position(begun, n, 990));
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
        Progress(ui, CExportProgress::Position(k, n, 400));
        std::wstring report;
        total += static_cast<std::size_t>(CSeriesReport::GetSeriesReport(doc, i, report));
        if (k > 0)
            total += CSeriesReport::Separator().size();
        ++k;
    }
    std::wstring text = JoinReports(doc, included, total,
                                    [&](int i) { Progress(ui, CExportProgress::Position(i, n, 600, 400)); });
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

std::wstring CReportExport::FileFailedMessage(const std::wstring& path)
{
    return Resources::CStringTable::Text(Resources::Ids::kCannotCreateFile) + L" " + path + L"!";
}

void CReportExport::AppendUtf16Le(const std::wstring& text, std::vector<std::uint8_t>& out)
{
    // the archive's encoder and rule: a lone surrogate is kept as it was read
    for (const char16_t unit : StreamIO::CTextCodec::ToUtf16(text))
    {
        out.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        out.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
}

bool CReportExport::WriteWholeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes)
{
    return StreamIO::CAtomicFileWriter::WriteFile(path, bytes) == 0;
}
