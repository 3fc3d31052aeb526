#include "resources/ExportIllustrations.h"

#include "resources/PixelCanvas.h"

namespace Resources
{
namespace
{

constexpr std::uint32_t kKey = CBitmapResources::kTransparent;
constexpr std::uint32_t kBlank = CPixelCanvas::Rgb(255, 255, 255);
constexpr std::uint32_t kHeadingTop = CPixelCanvas::Rgb(238, 238, 238);
constexpr std::uint32_t kHeadingBottom = CPixelCanvas::Rgb(212, 212, 212);
constexpr std::uint32_t kHeadingEdge = CPixelCanvas::Rgb(160, 160, 160);
constexpr std::uint32_t kShaded = CPixelCanvas::Rgb(188, 224, 232);
constexpr std::uint32_t kShadedEdge = CPixelCanvas::Rgb(140, 186, 198);
constexpr std::uint32_t kRowEdge = CPixelCanvas::Rgb(208, 212, 218);
constexpr std::uint32_t kDetails = CPixelCanvas::Rgb(242, 245, 253);
constexpr std::uint32_t kText = CPixelCanvas::Rgb(96, 96, 96);
constexpr std::uint32_t kDarkText = CPixelCanvas::Rgb(48, 48, 48);
constexpr std::uint32_t kBar = CPixelCanvas::Rgb(0, 160, 191);
constexpr std::uint32_t kDarkBar = CPixelCanvas::Rgb(0, 71, 79);
constexpr std::uint32_t kPaper = CPixelCanvas::Rgb(252, 252, 252);
constexpr std::uint32_t kPaperEdge = CPixelCanvas::Rgb(110, 110, 110);
constexpr std::uint32_t kShadow = CPixelCanvas::Rgb(190, 190, 190);
constexpr std::uint32_t kSky = CPixelCanvas::Rgb(150, 196, 240);
constexpr std::uint32_t kSun = CPixelCanvas::Rgb(250, 206, 40);
constexpr std::uint32_t kHill = CPixelCanvas::Rgb(58, 150, 72);
constexpr std::uint32_t kSheet = CPixelCanvas::Rgb(30, 128, 70);
constexpr std::uint32_t kBoard = CPixelCanvas::Rgb(166, 114, 62);
constexpr std::uint32_t kBoardEdge = CPixelCanvas::Rgb(112, 72, 36);
constexpr std::uint32_t kClip = CPixelCanvas::Rgb(176, 180, 186);
constexpr std::uint32_t kClipEdge = CPixelCanvas::Rgb(96, 100, 106);
constexpr std::uint32_t kTick = CPixelCanvas::Rgb(0, 140, 60);

/// The grid's heading row: two tones and column separators.
void Heading(CPixelCanvas& c, int x, int y, int w, int h)
{
    c.Fill(x, y, w, h / 2, kHeadingTop);
    c.Fill(x, y + h / 2, w, h - h / 2, kHeadingBottom);
    c.Fill(x, y + h - 1, w, 1, kHeadingEdge);
    for (int sx : {x + w / 6, x + w / 2, x + (3 * w) / 4})
        c.Fill(sx, y + 1, 1, h - 2, kHeadingEdge);
}

/// A series row: gripper, texts and the mean-value bar; shaded when selected.
void SeriesRow(CPixelCanvas& c, int x, int y, int w, int h, bool shaded)
{
    c.Fill(x, y, w, h, shaded ? kShaded : kBlank);
    c.Fill(x, y + h - 1, w, 1, shaded ? kShadedEdge : kRowEdge);
    const int mid = y + (h - 1) / 2;
    if (h >= 8)
    {
        c.Frame(x + 2, mid - 2, 5, 5, kDarkBar);
        c.Set(x + 4, mid, kDarkBar);
    }
    const int textLeft = h >= 8 ? x + 10 : x + 2;
    c.Fill(textLeft, mid, w / 10, 1, kDarkText);
    c.Fill(x + w / 6 + 2, mid, w / 5, 1, kText);
    const int barHeight = h >= 8 ? h - 5 : h - 2;
    c.Fill(x + w / 2 + 2, y + (h - 1 - barHeight) / 2, w / 5, barHeight, kBar);
    c.Fill(x + (3 * w) / 4 + 3, mid, w / 10, 1, kText);
}

/// A series' report beneath its row: text lines and a small bar chart.
void Details(CPixelCanvas& c, int x, int y, int w, int h, bool shaded)
{
    c.Fill(x, y, w, h, shaded ? kDetails : kBlank);
    c.Fill(x, y, 3, h, shaded ? kShaded : kRowEdge);
    c.Fill(x, y + h - 1, w, 1, shaded ? kShadedEdge : kRowEdge);
    const int lengths[] = {12, 9, 14, 7, 11};
    int line = 0;
    for (int ty = y + 3; ty < y + h - 2; ty += 3, ++line)
        c.Fill(x + 6, ty, lengths[line % 5] * w / 94 + 3, 1, kText);
    const int chartLeft = x + w / 2;
    const int chartBottom = y + h - 3;
    const int chartHeight = h - 6;
    c.Fill(chartLeft, chartBottom, w / 2 - 4, 1, kDarkText);
    const int heights[] = {5, 8, 6, 9, 4, 7, 8};
    const int barWidth = w >= 80 ? 4 : 2;
    for (int i = 0; i < 7; ++i)
    {
        const int bh = heights[i] * chartHeight / 9;
        const int bx = chartLeft + 2 + i * (barWidth + 1 + w / 40);
        if (bx + barWidth < x + w - 2)
            c.Fill(bx, chartBottom - bh, barWidth, bh, i % 2 ? kBar : kDarkBar);
    }
}

/// A sheet of paper with a folded top-right corner and a shadow; 24 x 30.
void Paper(CPixelCanvas& c, int x, int y)
{
    c.Fill(x + 3, y + 29, 22, 1, kShadow);
    c.Fill(x + 24, y + 3, 1, 26, kShadow);
    c.Fill(x + 1, y, 17, 29, kPaper);
    c.Fill(x + 1, y + 6, 23, 23, kPaper);
    c.Frame(x, y + 6, 24, 23, kPaperEdge);
    c.Fill(x, y, 1, 7, kPaperEdge);
    c.Fill(x, y, 18, 1, kPaperEdge);
    c.Line(x + 18, y, x + 23, y + 5, kPaperEdge);
    c.Fill(x + 1, y + 6, 23, 1, kPaper); // the fold's line is the diagonal, not the top
    c.Fill(x + 17, y + 1, 1, 6, kPaperEdge);
    c.Fill(x + 17, y + 6, 7, 1, kPaperEdge);
    c.Fill(x + 18, y + 1, 1, 5, kShadow);
}

/// A picture file: paper with a small landscape.
void ImageIcon(CPixelCanvas& c, int x, int y)
{
    Paper(c, x + 1, y);
    c.Fill(x + 4, y + 10, 18, 14, kSky);
    c.Frame(x + 4, y + 10, 18, 14, kPaperEdge);
    c.Fill(x + 16, y + 12, 3, 3, kSun);
    c.Set(x + 17, y + 11, kSun);
    c.Set(x + 15, y + 13, kSun);
    for (int i = 0; i < 9; ++i)
        c.Fill(x + 5 + i, y + 22 - i, 17 - 2 * i > 0 ? 17 - 2 * i : 1, 1, kHill);
    c.Fill(x + 5, y + 22, 16, 1, kHill);
}

/// The letters C, S and V, three pixels wide and five high.
void CsvLetters(CPixelCanvas& c, int x, int y, std::uint32_t colour)
{
    static constexpr const char* kGlyphs[3][5] = {
        {".##", "#..", "#..", "#..", ".##"},
        {".##", "#..", ".#.", "..#", "##."},
        {"#.#", "#.#", "#.#", "#.#", ".#."},
    };
    for (int g = 0; g < 3; ++g)
        for (int row = 0; row < 5; ++row)
            for (int col = 0; col < 3; ++col)
                if (kGlyphs[g][row][col] == '#')
                    c.Set(x + g * 4 + col, y + row, colour);
}

/// A CSV file: paper with a small table and the letters CSV.
void CsvIcon(CPixelCanvas& c, int x, int y)
{
    Paper(c, x + 1, y);
    c.Frame(x + 4, y + 9, 18, 10, kSheet);
    for (int cx : {x + 10, x + 15})
        c.Fill(cx, y + 9, 1, 10, kSheet);
    for (int cy : {y + 12, y + 15})
        c.Fill(x + 4, cy, 18, 1, kSheet);
    CsvLetters(c, x + 7, y + 21, kSheet);
}

/// A notepad on a clipboard board; 26 x 31.
void ClipboardIcon(CPixelCanvas& c, int x, int y)
{
    c.Fill(x + 2, y + 3, 22, 28, kBoard);
    c.Fill(x + 1, y + 4, 24, 26, kBoard);
    c.Fill(x + 2, y + 30, 22, 1, kBoardEdge);
    c.Fill(x + 24, y + 5, 1, 25, kBoardEdge);
    c.Fill(x + 4, y + 7, 18, 21, kPaper);
    c.Frame(x + 4, y + 7, 18, 21, kShadow);
    for (int ly = y + 12; ly < y + 26; ly += 3)
        c.Fill(x + 6, ly, ly % 2 ? 10 : 13, 1, kText);
    c.Fill(x + 8, y + 1, 10, 6, kClip);
    c.Frame(x + 8, y + 1, 10, 6, kClipEdge);
    c.Fill(x + 11, y, 4, 2, kClipEdge);
}

/// A check box, ticked or empty; 9 x 9.
void TickBox(CPixelCanvas& c, int x, int y, bool ticked)
{
    c.Fill(x, y, 9, 9, kBlank);
    c.Frame(x, y, 9, 9, kPaperEdge);
    if (!ticked)
        return;
    for (int d = 0; d < 2; ++d)
    {
        c.Line(x + 2, y + 4 + d, x + 3, y + 5 + d, kTick);
        c.Line(x + 3, y + 5 + d, x + 6, y + 2 + d, kTick);
    }
}

/// Two series rows under the grid's heading, narrow enough for an icon beside them.
void TwoRows(CPixelCanvas& c, int top, int width)
{
    Heading(c, 1, top, width, 7);
    SeriesRow(c, 1, top + 7, width, 11, true);
    SeriesRow(c, 1, top + 18, width, 11, false);
}

SBitmapPixels OneFileTile(bool csv)
{
    CPixelCanvas c(93, 58, kKey);
    TwoRows(c, 12, 64);
    csv ? CsvIcon(c, 63, 24) : ImageIcon(c, 63, 24);
    return c.Take();
}

SBitmapPixels SeparateFilesTile(bool csv)
{
    CPixelCanvas c(93, 77, kKey);
    for (int i = 0; i < 2; ++i)
    {
        const int top = 6 + i * 38;
        Heading(c, 1, top, 60, 6);
        SeriesRow(c, 1, top + 6, 60, 11, i == 0);
        csv ? CsvIcon(c, 63, top - 4) : ImageIcon(c, 63, top - 4);
    }
    return c.Take();
}

SBitmapPixels ClipboardTile()
{
    CPixelCanvas c(93, 59, kKey);
    TwoRows(c, 12, 64);
    ClipboardIcon(c, 64, 26);
    return c.Take();
}

SBitmapPixels HeadersOnlyTile()
{
    CPixelCanvas c(94, 40, kKey);
    Heading(c, 2, 8, 90, 8);
    SeriesRow(c, 2, 16, 90, 12, true);
    return c.Take();
}

SBitmapPixels AsIsTile()
{
    CPixelCanvas c(94, 40, kKey);
    SeriesRow(c, 2, 1, 90, 11, true);
    Details(c, 2, 12, 90, 27, true);
    return c.Take();
}

SBitmapPixels HeadersDetailsTile()
{
    CPixelCanvas c(94, 78, kKey);
    for (int i = 0; i < 3; ++i)
    {
        SeriesRow(c, 2, 1 + i * 25, 90, 9, i == 1);
        Details(c, 2, 10 + i * 25, 90, 16, i == 1);
    }
    return c.Take();
}

SBitmapPixels DataTile(bool all)
{
    CPixelCanvas c(94, 54, kKey);
    Heading(c, 14, 10, 78, 8);
    SeriesRow(c, 14, 18, 78, 13, true);
    SeriesRow(c, 14, 31, 78, 13, false);
    TickBox(c, 2, 20, true);
    TickBox(c, 2, 33, all);
    return c.Take();
}

SBitmapPixels Strip(int height, void (*draw)(CPixelCanvas&, int, int, int, int))
{
    CPixelCanvas c(52, height, kBlank);
    draw(c, 0, 0, 52, height);
    return c.Take();
}

SBitmapPixels IconOn(int width, int height, std::uint32_t ground, void (*draw)(CPixelCanvas&, int, int))
{
    CPixelCanvas c(width, height, ground);
    draw(c, 0, 0);
    return c.Take();
}

} // namespace

SBitmapPixels CExportIllustrations::Pixels(unsigned id)
{
    switch (id)
    {
    case kClipboardTile:
        return ClipboardTile();
    case kHeadersDetailsTile:
        return HeadersDetailsTile();
    case kHeadersOnlyTile:
        return HeadersOnlyTile();
    case kSeparateImagesTile:
        return SeparateFilesTile(false);
    case kOneImageTile:
        return OneFileTile(false);
    case kAsIsTile:
        return AsIsTile();
    case kAllDataTile:
        return DataTile(true);
    case kSelectionTile:
        return DataTile(false);
    case kOneCsvTile:
        return OneFileTile(true);
    case kSeparateCsvTile:
        return SeparateFilesTile(true);
    case kPreviewGridHeading:
        return Strip(5, Heading);
    case kPreviewShadedHeading:
        return Strip(5, [](CPixelCanvas& c, int x, int y, int w, int h) { SeriesRow(c, x, y, w, h, true); });
    case kPreviewWhiteHeading:
        return Strip(5, [](CPixelCanvas& c, int x, int y, int w, int h) { SeriesRow(c, x, y, w, h, false); });
    case kPreviewShadedDetails:
        return Strip(21, [](CPixelCanvas& c, int x, int y, int w, int h) { Details(c, x, y, w, h, true); });
    case kPreviewWhiteDetails:
        return Strip(18, [](CPixelCanvas& c, int x, int y, int w, int h) { Details(c, x, y, w, h, false); });
    case kPreviewImageIcon:
        return IconOn(27, 30, kBlank, ImageIcon);
    case kPreviewClipboardIcon:
        return IconOn(26, 31, kKey, ClipboardIcon);
    case kPreviewCsvIcon:
        return IconOn(27, 30, kKey, CsvIcon);
    default:
        return SBitmapPixels{};
    }
}

} // namespace Resources
