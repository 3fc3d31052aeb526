// The graphic export over a grid of painted bands: what each target writes
// (decoded by PIL), which rows each image holds, the heading on top only,
// the failures with their messages, and the grid put back every time.
#include "views/SeriesGraphicExport.h"

#include "export/Picture.h"
#include "tests/export/ImageDecoder.h"
#include "tests/support/TempDir.h"
#include "views/GraphicExportGrid.h"
#include "views/ReportExportUi.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <new>
#include <stdexcept>

namespace TerrionTest
{
namespace
{

struct SRgb
{
    int r = 0, g = 0, b = 0;
    bool operator==(const SRgb&) const = default;
};

constexpr int kWidth = 12;
constexpr int kHeading = 26;
constexpr int kRow = 22;
const SRgb kHeadingColour{210, 210, 210};

SRgb RowColour(int series)
{
    return {40 + 50 * series, 90, 220 - 40 * series};
}
SRgb DetailColour(int series)
{
    return {240, 60 + 50 * series, 40};
}

/// A grid whose rows render as bands of one colour each: the heading, then
/// per shown series its row and, when open, its report.
class CBandGrid : public CGraphicExportGrid
{
public:
    struct SSeries
    {
        bool marked = false;
        bool expanded = false; ///< as the user left it
        int detailHeight = 30;
        int shown = 0; ///< -1 hidden, 0 collapsed, 1 open
    };

    explicit CBandGrid(std::vector<SSeries> series) : m_series(std::move(series))
    {
        for (SSeries& s : m_series)
            s.shown = s.expanded ? 1 : 0;
    }

    int GetSeriesCount() const override { return static_cast<int>(m_series.size()); }
    bool IsMarked(int i) const override { return m_series[static_cast<std::size_t>(i)].marked; }
    bool IsExpanded(int i) const override { return m_series[static_cast<std::size_t>(i)].shown == 1; }
    void ShowSeries(int i, bool expanded) override
    {
        m_series[static_cast<std::size_t>(i)].shown = expanded ? 1 : 0;
    }
    void HideSeries(int i) override { m_series[static_cast<std::size_t>(i)].shown = -1; }
    void ShowHeading(bool show) override { m_heading = show; }
    void SetRedraw(bool allow) override
    {
        m_redraw = allow;
        ++(allow ? redrawOn : redrawOff);
    }
    SGridSize GetVirtualSize() const override { return {kWidth, static_cast<int>(Column().size())}; }
    bool Render(CPicture& picture) override
    {
        ++renders;
        if (throwRender)
            throw std::bad_alloc();
        const std::vector<SRgb> column = Column();
        if (failRender || column.empty())
            return false;
        const auto height = static_cast<std::uint32_t>(column.size());
        if (!picture.Create(kWidth, height, 24, IMAGE_TYPE_UNKNOWN))
            return false;
        for (std::uint32_t y = 0; y < height; ++y)
            for (int x = 0; x < kWidth; ++x)
            {
                std::uint8_t* p = picture.GetRowBits(height - 1 - y) + 3 * x;
                const SRgb& c = column[y];
                p[0] = static_cast<std::uint8_t>(c.b);
                p[1] = static_cast<std::uint8_t>(c.g);
                p[2] = static_cast<std::uint8_t>(c.r);
            }
        return true;
    }

    /// The colour of each pixel row of the grid as it stands, top down.
    std::vector<SRgb> Column() const
    {
        std::vector<SRgb> column;
        if (m_heading)
            column.insert(column.end(), kHeading, kHeadingColour);
        for (std::size_t i = 0; i < m_series.size(); ++i)
        {
            const SSeries& s = m_series[i];
            if (s.shown < 0)
                continue;
            column.insert(column.end(), kRow, RowColour(static_cast<int>(i)));
            if (s.shown == 1)
                column.insert(column.end(), static_cast<std::size_t>(s.detailHeight),
                              DetailColour(static_cast<int>(i)));
        }
        return column;
    }

    /// Everything as the user left it: rows, reports, heading, drawing on.
    bool IsAsLeft() const
    {
        for (const SSeries& s : m_series)
            if (s.shown != (s.expanded ? 1 : 0))
                return false;
        return m_heading && m_redraw;
    }

    std::vector<SSeries> m_series;
    bool m_heading = true;
    bool m_redraw = true;
    bool failRender = false;
    bool throwRender = false;
    int renders = 0;
    int redrawOn = 0;
    int redrawOff = 0;
};

class CRecordingUi : public CReportExportUi
{
public:
    void SetProgress(int position) override
    {
        positions.push_back(position);
        if (static_cast<int>(positions.size()) == throwAtProgress)
            throw std::runtime_error("progress window gone");
    }
    void SetProgressText(const std::wstring& text) override { texts.push_back(text); }
    void ShowMessage(Resources::NMessageKind, const std::wstring& text) override { messages.push_back(text); }
    void ShowNotice(const std::wstring& text) override { notices.push_back(text); }
    bool PutOnClipboard(const Platform::CClipboardData& data) override
    {
        clipboard.push_back(data);
        return clipboardWorks;
    }

    std::vector<int> positions;
    std::vector<std::wstring> texts, messages, notices;
    std::vector<Platform::CClipboardData> clipboard;
    bool clipboardWorks = true;
    int throwAtProgress = 0; ///< the progress call that throws (1 = the first), 0 = none
};

/// The decoded image's colour of each pixel row, taken at its first column.
std::vector<SRgb> DecodedColumn(const std::filesystem::path& file, std::string* size)
{
    CImageDecoder decoder;
    std::vector<SRgb> column;
    if (!decoder.Decode(file))
    {
        ADD_FAILURE() << decoder.Error();
        return column;
    }
    *size = decoder.Item("size");
    const auto& px = decoder.Pixels();
    for (std::size_t at = 0; at + 2 < px.size(); at += 3 * kWidth)
        column.push_back({px[at], px[at + 1], px[at + 2]});
    return column;
}

bool Near(const SRgb& a, const SRgb& b, int tolerance)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

/// Three series: the first open, the middle one marked, the last marked and open.
std::vector<CBandGrid::SSeries> ThreeSeries()
{
    return {{false, true, 30}, {true, false, 40}, {true, true, 50}};
}

/// The rows expected: the heading, then each (series, open) pair.
std::vector<SRgb> Expected(const std::vector<std::pair<int, bool>>& rows, bool heading = true)
{
    const int details[] = {30, 40, 50};
    std::vector<SRgb> column;
    if (heading)
        column.insert(column.end(), kHeading, kHeadingColour);
    for (const auto& [series, open] : rows)
    {
        column.insert(column.end(), kRow, RowColour(series));
        if (open)
            column.insert(column.end(), static_cast<std::size_t>(details[series]), DetailColour(series));
    }
    return column;
}

class SeriesGraphicExport : public testing::Test
{
protected:
    CTempDir m_dir;
};

} // namespace

// One file of each format: the heading once on top, then every exported
// series' band with its report as the content asks.
TEST_F(SeriesGraphicExport, OneFileHoldsTheBandsUnderOneHeading)
{
    const struct
    {
        NImageFormat format;
        const char* name;
        const char* decoded;
        int tolerance;
    } formats[] = {{IMAGE_FORMAT_PNG, "all.png", "PNG", 0},
                   {IMAGE_FORMAT_BMP, "all.bmp", "BMP", 0},
                   {IMAGE_FORMAT_JPG, "all.jpg", "JPEG", 14}};
    for (const auto& f : formats)
    {
        CBandGrid grid(ThreeSeries());
        CRecordingUi ui;
        const auto path = m_dir / f.name;
        CSeriesGraphicExport::SRequest request{EXPORT_CONTENT_DETAILS, EXPORT_TARGET_ONE_FILE, true, f.format,
                                               path.wstring()};
        ASSERT_TRUE(CSeriesGraphicExport::Run(grid, request, &ui)) << f.name;
        std::string size;
        const auto column = DecodedColumn(path, &size);
        const auto expected = Expected({{0, true}, {1, true}, {2, true}});
        EXPECT_EQ(size, std::to_string(kWidth) + " " + std::to_string(expected.size())) << f.name;
        ASSERT_EQ(column.size(), expected.size()) << f.name;
        for (std::size_t y = 0; y < column.size(); ++y)
        {
            // JPEG blurs the edges between bands: compare away from them.
            const bool edge =
                f.tolerance > 0 && ((y > 0 && !(expected[y - 1] == expected[y])) ||
                                    (y + 1 < column.size() && !(expected[y + 1] == expected[y])));
            if (!edge)
            {
                ASSERT_TRUE(Near(column[y], expected[y], f.tolerance)) << f.name << " row " << y;
            }
        }
        EXPECT_TRUE(grid.IsAsLeft()) << f.name;
        EXPECT_EQ(grid.redrawOff, 1);
        EXPECT_EQ(grid.redrawOn, 1) << "one repaint after the rows are back";
        EXPECT_TRUE(ui.notices.empty());
        EXPECT_EQ(ui.texts.front(), L"Please wait while preparing for export...");
        EXPECT_EQ(ui.texts.back(), L"Creating " + path.wstring() + L" ...");
    }
}

// Which series and how much of each: the selection, the content choice and
// the user's own expansion for "as is".
TEST_F(SeriesGraphicExport, ContentAndSelectionChooseTheRows)
{
    const struct
    {
        NExportContent content;
        bool all;
        std::vector<std::pair<int, bool>> rows;
    } cases[] = {
        {EXPORT_CONTENT_HEADERS, false, {{1, false}, {2, false}}},
        {EXPORT_CONTENT_AS_IS, false, {{1, false}, {2, true}}},
        {EXPORT_CONTENT_AS_IS, true, {{0, true}, {1, false}, {2, true}}},
        {EXPORT_CONTENT_DETAILS, false, {{1, true}, {2, true}}},
    };
    for (const auto& c : cases)
    {
        CBandGrid grid(ThreeSeries());
        const auto path = m_dir / "rows.png";
        CSeriesGraphicExport::SRequest request{c.content, EXPORT_TARGET_ONE_FILE, c.all, IMAGE_FORMAT_PNG,
                                               path.wstring()};
        ASSERT_TRUE(CSeriesGraphicExport::Run(grid, request, nullptr));
        std::string size;
        EXPECT_EQ(DecodedColumn(path, &size), Expected(c.rows)) << c.content << " " << c.all;
        EXPECT_TRUE(grid.IsAsLeft());
    }
}

// One numbered file per series, each with the heading above its band.
TEST_F(SeriesGraphicExport, SeparateFilesAreNumberedAndEachHasTheHeading)
{
    CBandGrid grid(ThreeSeries());
    CRecordingUi ui;
    CSeriesGraphicExport::SRequest request{EXPORT_CONTENT_AS_IS, EXPORT_TARGET_SEPARATE_FILES, true,
                                           IMAGE_FORMAT_BMP, (m_dir / "obj.bmp").wstring()};
    ASSERT_TRUE(CSeriesGraphicExport::Run(grid, request, &ui));
    const std::vector<std::pair<int, bool>> rows = {{0, true}, {1, false}, {2, true}};
    for (int m = 0; m < 3; ++m)
    {
        std::string size;
        EXPECT_EQ(DecodedColumn(m_dir / ("obj" + std::to_string(m + 1) + ".bmp"), &size),
                  Expected({rows[static_cast<std::size_t>(m)]}))
            << m;
    }
    EXPECT_FALSE(std::filesystem::exists(m_dir / "obj4.bmp"));
    EXPECT_EQ(ui.texts[2], L"Exporting " + (m_dir / "obj2.bmp").wstring() + L" ...");
    EXPECT_TRUE(grid.IsAsLeft());
    for (int position : ui.positions)
    {
        EXPECT_GE(position, 0);
        EXPECT_LE(position, 1000);
    }
}

// The clipboard gets one packed bitmap of the exported rows; with nothing
// marked and "Selection only" that is the heading alone.
TEST_F(SeriesGraphicExport, ClipboardGetsTheBitmap)
{
    for (bool anyMarked : {true, false})
    {
        auto series = ThreeSeries();
        if (!anyMarked)
            for (auto& s : series)
                s.marked = false;
        CBandGrid grid(series);
        CRecordingUi ui;
        CSeriesGraphicExport::SRequest request{
            EXPORT_CONTENT_HEADERS, EXPORT_TARGET_CLIPBOARD, false, IMAGE_FORMAT_PNG, {}};
        ASSERT_TRUE(CSeriesGraphicExport::Run(grid, request, &ui));
        ASSERT_EQ(ui.clipboard.size(), 1u);
        const auto* dib = ui.clipboard[0].Find(Platform::CClipboardData::kBitmap);
        ASSERT_NE(dib, nullptr);
        const int height = (*dib)[8] | ((*dib)[9] << 8);
        EXPECT_EQ(height, anyMarked ? kHeading + 2 * kRow : kHeading);
        EXPECT_EQ((*dib)[4], kWidth);
        EXPECT_EQ(dib->size(), 40u + 36u * static_cast<std::size_t>(height));
        EXPECT_TRUE(grid.IsAsLeft());
    }
}

// Nothing to export: no file, no division by nothing, the bar in its range.
TEST_F(SeriesGraphicExport, NothingToExportWritesNoFile)
{
    for (NExportTarget target : {EXPORT_TARGET_ONE_FILE, EXPORT_TARGET_SEPARATE_FILES})
    {
        auto series = ThreeSeries();
        for (auto& s : series)
            s.marked = false;
        CBandGrid grid(series);
        CRecordingUi ui;
        CSeriesGraphicExport::SRequest request{EXPORT_CONTENT_DETAILS, target, false, IMAGE_FORMAT_PNG,
                                               (m_dir / "none.png").wstring()};
        EXPECT_TRUE(CSeriesGraphicExport::Run(grid, request, &ui));
        EXPECT_TRUE(std::filesystem::is_empty(m_dir.Path()));
        EXPECT_EQ(grid.renders, 0);
        for (int position : ui.positions)
        {
            EXPECT_GE(position, 0);
            EXPECT_LE(position, 1000);
        }
        EXPECT_TRUE(grid.IsAsLeft());
    }
}

// Each failure shows its message, writes nothing more and leaves the grid as it was.
TEST_F(SeriesGraphicExport, FailuresAreReportedAndTheGridComesBack)
{
    struct SCase
    {
        const char* what;
        NExportTarget target;
        NImageFormat format;
        std::function<void(CBandGrid&, CRecordingUi&)> arrange;
        std::wstring notice;
        bool fileMessage;
    };
    const std::wstring tooLarge = L"Bitmap creation failed because target Bitmap is to large!";
    const std::wstring encoding = L"Encoding of graphic file failed. This can happen on very large files.";
    const SCase cases[] = {
        {"render", EXPORT_TARGET_ONE_FILE, IMAGE_FORMAT_PNG,
         [](CBandGrid& g, CRecordingUi&) { g.failRender = true; }, tooLarge, false},
        {"render to clipboard", EXPORT_TARGET_CLIPBOARD, IMAGE_FORMAT_PNG,
         [](CBandGrid& g, CRecordingUi&) { g.failRender = true; }, tooLarge, false},
        {"clipboard", EXPORT_TARGET_CLIPBOARD, IMAGE_FORMAT_PNG,
         [](CBandGrid&, CRecordingUi& ui) { ui.clipboardWorks = false; }, L"Copy to Clipboard failed!",
         false},
        // JPEG takes no image taller than 65500 rows.
        {"encoder", EXPORT_TARGET_ONE_FILE, IMAGE_FORMAT_JPG,
         [](CBandGrid& g, CRecordingUi&)
         {
             for (auto& s : g.m_series)
                 s.detailHeight = 30000;
         },
         encoding, false},
        {"encoder per file", EXPORT_TARGET_SEPARATE_FILES, IMAGE_FORMAT_JPG,
         [](CBandGrid& g, CRecordingUi&) { g.m_series[1].detailHeight = 66000 - kRow - kHeading; }, encoding,
         false},
        {"file", EXPORT_TARGET_ONE_FILE, IMAGE_FORMAT_PNG, {}, {}, true},
    };
    for (const SCase& c : cases)
    {
        CBandGrid grid(ThreeSeries());
        CRecordingUi ui;
        if (c.arrange)
            c.arrange(grid, ui);
        const auto path = c.fileMessage ? m_dir / "missing" / "x.png" : m_dir / "x.png";
        CSeriesGraphicExport::SRequest request{EXPORT_CONTENT_DETAILS, c.target, true, c.format,
                                               path.wstring()};
        EXPECT_FALSE(CSeriesGraphicExport::Run(grid, request, &ui)) << c.what;
        if (c.fileMessage)
        {
            EXPECT_EQ(ui.messages,
                      std::vector<std::wstring>{L"The file could not be created: " + path.wstring() + L"!"});
        }
        else
        {
            EXPECT_EQ(ui.notices, std::vector<std::wstring>{c.notice}) << c.what;
        }
        EXPECT_TRUE(grid.IsAsLeft()) << c.what;
        EXPECT_EQ(grid.redrawOn, 1) << c.what;
    }
    // The separate files before the one that failed are there; none after it.
    EXPECT_TRUE(std::filesystem::exists(m_dir / "x1.png") || std::filesystem::exists(m_dir / "x1.jpg"));
    EXPECT_FALSE(std::filesystem::exists(m_dir / "x2.png"));
    EXPECT_FALSE(std::filesystem::exists(m_dir / "x3.png"));
    EXPECT_FALSE(std::filesystem::exists(m_dir / "x.png"));
}

// Left by an exception at any point, the export leaves the grid as the user
// left it, drawing again.
TEST_F(SeriesGraphicExport, AnExceptionLeavesTheGridAsLeft)
{
    const struct
    {
        const char* where;
        int throwAtProgress;
        bool throwRender;
    } cases[] = {{"while the rows are read", 2, false}, {"in the rendering", 0, true}};
    for (const auto& c : cases)
    {
        CBandGrid grid(ThreeSeries());
        grid.throwRender = c.throwRender;
        CRecordingUi ui;
        ui.throwAtProgress = c.throwAtProgress;
        CSeriesGraphicExport::SRequest request{EXPORT_CONTENT_DETAILS, EXPORT_TARGET_ONE_FILE, true,
                                               IMAGE_FORMAT_PNG, (m_dir / "x.png").wstring()};
        EXPECT_ANY_THROW(CSeriesGraphicExport::Run(grid, request, &ui)) << c.where;
        EXPECT_TRUE(grid.IsAsLeft()) << c.where;
        EXPECT_EQ(grid.redrawOn, grid.redrawOff) << c.where;
    }
}

} // namespace TerrionTest
