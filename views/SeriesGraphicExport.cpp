#include "views/SeriesGraphicExport.h"

#include "export/CombinedImage.h"
#include "export/DibInfo.h"
#include "export/ExportFileName.h"
#include "export/ExportProgress.h"
#include "export/Picture.h"
#include "platform/ClipboardData.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "resources/TextFormat.h"
#include "streams/AtomicFileWriter.h"
#include "views/GraphicExportGrid.h"
#include "views/ReportExport.h"
#include "views/ReportExportUi.h"

#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

namespace
{
namespace Ids = Resources::Ids;

constexpr std::uint8_t kQuality = 90;

/// The grid as the user left it: put back when the export ends, however it ends.
class CRestoreGrid
{
public:
    CRestoreGrid(CGraphicExportGrid& grid, CReportExportUi* ui) : m_grid(grid), m_ui(ui)
    {
        const int n = grid.GetSeriesCount();
        const int rows = 2 * n + 1;
        m_expanded.reserve(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i)
        {
            m_expanded.push_back(grid.IsExpanded(i));
            if (m_ui)
                m_ui->SetProgress(CExportProgress::Position(2 * i + 1, rows, 100));
        }
    }
    ~CRestoreGrid()
    {
        const int n = static_cast<int>(m_expanded.size());
        const int rows = 2 * n + 1;
        m_grid.ShowHeading(true);
        for (int i = 0; i < n; ++i)
        {
            m_grid.ShowSeries(i, m_expanded[static_cast<std::size_t>(i)]);
            if (m_ui)
                m_ui->SetProgress(CExportProgress::Position(2 * i + 1, rows, 100, 910));
        }
        m_grid.SetRedraw(true); // one repaint for all rows
    }
    CRestoreGrid(const CRestoreGrid&) = delete;
    CRestoreGrid& operator=(const CRestoreGrid&) = delete;

    bool WasExpanded(int i) const { return m_expanded[static_cast<std::size_t>(i)]; }

private:
    CGraphicExportGrid& m_grid;
    CReportExportUi* m_ui;
    std::vector<bool> m_expanded;
};

struct SFreeBuffer
{
    void operator()(std::uint8_t* buffer) const { std::free(buffer); }
};

class CExportRun
{
public:
    CExportRun(CGraphicExportGrid& grid, const CSeriesGraphicExport::SRequest& request, CReportExportUi* ui)
        : m_grid(grid), m_request(request), m_ui(ui)
    {
    }

    bool Run()
    {
        Progress(0);
        Text(Resources::CStringTable::Text(Ids::kPreparingExport));
        CRestoreGrid restore(m_grid, m_ui);
        m_grid.SetRedraw(false); // on again with the restore, however the export ends
        const int n = m_grid.GetSeriesCount();
        for (int i = 0; i < n; ++i)
        {
            const bool exported = m_request.all || m_grid.IsMarked(i);
            if (exported)
                m_exported.push_back(i);
            m_shown.push_back(Shown(restore.WasExpanded(i)));
        }

        if (m_request.target == EXPORT_TARGET_SEPARATE_FILES)
            return EachToItsFile();
        for (int i = 0, m = 0; i < n; ++i)
        {
            if (m < static_cast<int>(m_exported.size()) && m_exported[static_cast<std::size_t>(m)] == i)
            {
                m_grid.ShowSeries(i, m_shown[static_cast<std::size_t>(i)]);
                ++m;
            }
            else
                m_grid.HideSeries(i);
        }
        return m_request.target == EXPORT_TARGET_CLIPBOARD ? ToClipboard() : AllInOneFile();
    }

private:
    bool Shown(bool expanded) const
    {
        switch (m_request.content)
        {
        case EXPORT_CONTENT_HEADERS:
            return false;
        case EXPORT_CONTENT_AS_IS:
            return expanded;
        default:
            return true;
        }
    }

    void Progress(int position)
    {
        if (m_ui)
            m_ui->SetProgress(position);
    }
    void Text(const std::wstring& text)
    {
        if (m_ui)
            m_ui->SetProgressText(text);
    }
    bool Notice(unsigned id)
    {
        if (m_ui)
            m_ui->ShowNotice(Resources::CStringTable::Text(id));
        return false;
    }

    bool ToClipboard()
    {
        CPicture picture;
        if (!m_grid.Render(picture))
            return Notice(Ids::kExportBitmapTooLarge);
        Platform::CClipboardData data;
        data.Set(Platform::CClipboardData::kBitmap, CDibInfo::PackedDib(picture));
        if (!m_ui || !m_ui->PutOnClipboard(data))
            return Notice(Ids::kExportClipboardFailed);
        return true;
    }

    /// Only the series of band m is shown (the others were shown before).
    void ShowOnly(std::size_t m)
    {
        if (m == 0)
        {
            for (int i = 0; i < m_grid.GetSeriesCount(); ++i)
                m_grid.HideSeries(i);
        }
        else
            m_grid.HideSeries(m_exported[m - 1]);
        const int j = m_exported[m];
        m_grid.ShowSeries(j, m_shown[static_cast<std::size_t>(j)]);
    }

    bool EachToItsFile()
    {
        const auto n = static_cast<long long>(m_exported.size());
        for (std::size_t m = 0; m < m_exported.size(); ++m)
        {
            ShowOnly(m);
            CPicture piece;
            if (!m_grid.Render(piece))
                return Notice(Ids::kExportBitmapTooLarge);
            Progress(CExportProgress::Position(static_cast<long long>(m), n, 800, 100));
            const std::wstring name = CExportFileName::Numbered(m_request.path, static_cast<int>(m) + 1);
            Text(Resources::CTextFormat::Format(Ids::kExportingFile, {name}));
            if (!EncodeAndWrite(piece, name))
                return false;
        }
        return true;
    }

    bool AllInOneFile()
    {
        const SGridSize size = m_grid.GetVirtualSize();
        const auto n = static_cast<long long>(m_exported.size());
        CCombinedImage combined;
        for (std::size_t m = 0; m < m_exported.size(); ++m)
        {
            ShowOnly(m);
            m_grid.ShowHeading(m == 0); // the heading once, on top
            CPicture piece;
            if (!m_grid.Render(piece))
                return Notice(Ids::kExportBitmapTooLarge);
            Progress(CExportProgress::Position(static_cast<long long>(m), n, 800, 100));
            Text(Resources::CTextFormat::Format(Ids::kCreatingFile, {m_request.path}));
            if (m == 0 &&
                (size.cx <= 0 || size.cy <= 0 ||
                 !combined.Create(static_cast<std::uint32_t>(size.cx), static_cast<std::uint32_t>(size.cy))))
                return Notice(Ids::kExportBitmapTooLarge);
            combined.AddBand(piece);
        }
        if (m_exported.empty())
            return true; // nothing to export: no file
        return EncodeAndWrite(combined.Picture(), m_request.path);
    }

    bool EncodeAndWrite(CPicture& picture, const std::wstring& path)
    {
        picture.SetQuality(kQuality);
        std::uint8_t* raw = nullptr;
        std::size_t size = 0;
        if (!picture.EncodeToMemory(raw, size, ImageTypeOf(m_request.format)))
            return Notice(Ids::kExportEncodingFailed);
        const std::unique_ptr<std::uint8_t, SFreeBuffer> bytes(raw);
        if (StreamIO::CAtomicFileWriter::WriteFile(path, std::span<const std::uint8_t>(bytes.get(), size)) !=
            0)
        {
            if (m_ui)
                m_ui->ShowMessage(Resources::NMessageKind::Error, CReportExport::FileFailedMessage(path));
            return false;
        }
        return true;
    }

    CGraphicExportGrid& m_grid;
    const CSeriesGraphicExport::SRequest& m_request;
    CReportExportUi* m_ui;
    std::vector<int> m_exported;
    std::vector<bool> m_shown;
};
} // namespace

bool CSeriesGraphicExport::Run(CGraphicExportGrid& grid, const SRequest& request, CReportExportUi* ui)
{
    return CExportRun(grid, request, ui).Run();
}
