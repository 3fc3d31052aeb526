#pragma once
#include <string>
#include <vector>

#include "grid/GridCell.h"
#include "grid/GridCore.h"
#include "grid/GridImageList.h"
#include "grid/GridSurface.h"

/// A cell that draws with every primitive of the surface, as the series
/// page's report cell does: it moves the origin to its own corner and lays
/// out blocks in its own coordinates (gradients, bars with upright values,
/// framed and filled rectangles in a wider pen, lines, a polygon, image
/// tiles plain and blended, text in each alignment and turn, a block clipped
/// to itself), and it tries to paint above itself, which the grid's clip
/// must stop. Everything lies within 600 x 150 of the cell's corner.
class CPrimitivesCell : public CGridCell
{
public:
    static constexpr TGridColor kEscape = GridRgb(255, 0, 255); // never seen outside the cell
    static constexpr TGridColor kBack = GridRgb(242, 245, 253);
    static constexpr TGridColor kBar = GridRgb(0, 71, 79);
    static constexpr TGridColor kMark = GridRgb(0, 160, 191);
    /// Where the four-corner gradient's top-left pixel lies, from the cell's corner.
    static constexpr SGridPoint kGradientCorner{8, 30};

    /// Lays a grid out as the series page does around one open report: a
    /// heading row of 20 pixels, a series row, and a detail row 160 high whose
    /// columns 1 to 5 (600 pixels) are this cell; pixel scrolling.
    static void PlaceIn(CGridCore& grid)
    {
        grid.SetWholeRowScrolling(false);
        grid.SetRowCount(3);
        grid.SetColumnCount(6);
        grid.SetFixedRowCount(1);
        const wchar_t* headings[] = {L"", L"Name", L"Date/Time", L"Mean value", L"Readings", L"Std. dev."};
        for (int col = 0; col < 6; ++col)
        {
            grid.SetColumnWidth(col, col == 0 ? 60 : 120);
            grid.SetItemText(0, col, headings[col]);
            grid.SetItemText(1, col, col == 0 ? L"" : L"Series 1");
        }
        grid.SetRowHeight(0, 20);
        grid.SetRowHeight(1, 22);
        grid.SetRowHeight(2, 160);
        grid.MergeCells(2, 1, 5);
        grid.SetCellType<CPrimitivesCell>(2, 1);
    }

    /// Two 22 x 19 tiles on a red transparent colour: an open box and a tick.
    static const CGridImageList& Images()
    {
        static const CGridImageList images = []
        {
            constexpr int kW = 22;
            constexpr int kH = 19;
            const TGridColor clear = GridRgb(255, 0, 0);
            std::vector<TGridColor> pixels(static_cast<std::size_t>(2 * kW * kH), clear);
            auto set = [&](int tile, int x, int y, TGridColor c)
            { pixels[static_cast<std::size_t>(y * 2 * kW + tile * kW + x)] = c; };
            for (int i = 3; i < 19; ++i)
                for (int tile = 0; tile < 2; ++tile)
                {
                    set(tile, i, 2, kBar);
                    set(tile, i, 16, kBar);
                    set(tile, 3, i - 1, kBar);
                    set(tile, 18, i - 1, kBar);
                }
            for (int i = 0; i < 9; ++i)
            {
                set(0, 7 + i, 9, GridRgb(0, 120, 0)); // a plus
                set(0, 11, 5 + i, GridRgb(0, 120, 0));
                set(1, 6 + i / 2, 8 + i / 2, GridRgb(0, 120, 0)); // a tick
                set(1, 10 + i / 2, 12 - i, GridRgb(0, 120, 0));
            }
            return CGridImageList(std::move(pixels), 2 * kW, SGridSize{kW, kH}, clear);
        }();
        return images;
    }

    bool Draw(CGridSurface* dc, int row, int col, SGridRect rect, bool erase, bool printing) override
    {
        if (!dc || rect.top >= rect.bottom)
            return true;
        dc->SaveState();
        const SGridPoint origin = dc->GetOrigin();
        dc->SetOrigin({origin.x - rect.left, origin.y - rect.top}); // (0, 0) is the cell's corner
        const int width = rect.right - rect.left + 1;
        const int height = rect.bottom - rect.top + 1;
        dc->FillSolidRect({0, 0, width, height}, kBack);

        // A title in bold, measured by the font's metrics.
        SGridFont plain{L"", 13};
        SGridFont bold = plain;
        bold.weight = 800;
        dc->SetFont(bold);
        dc->SetTextColor(GridRgb(0, 21, 110));
        const SGridFontMetrics title = dc->GetFontMetrics();
        dc->SetTextVAlign(NGridTextVAlign::Baseline);
        dc->TextOut(8, 6 + title.ascent, L"Every primitive");

        // Gradients: four corners, then two colours across and down.
        const SGridPoint g = kGradientCorner;
        dc->GradientFill4({g.x, g.y, g.x + 110, g.y + 50}, GridRgb(255, 0, 0), GridRgb(0, 200, 0),
                          GridRgb(0, 0, 255), GridRgb(255, 255, 255));
        dc->GradientFill({8, 86, 118, 100}, GridRgb(188, 224, 232), GridRgb(242, 245, 253), false);
        dc->GradientFill({8, 104, 118, 140}, GridRgb(188, 224, 232), GridRgb(0, 111, 127), true);

        // Bars in a wider pen, each value written upward above its bar, and one bar of no width.
        dc->SetPenWidth(1);
        dc->Line({130, 140}, {290, 140}, GridRgb(0, 0, 0));
        dc->Line({130, 30}, {130, 141}, GridRgb(0, 0, 0));
        SGridFont upward = plain;
        upward.height = 11;
        upward.escapement = 900;
        dc->SetFont(upward);
        dc->SetTextColor(GridRgb(0, 0, 0));
        dc->SetTextAlign(NGridTextAlign::Left);
        const int values[] = {40, 75, 20, 60, 0};
        for (int i = 0; i < 5; ++i)
        {
            const int left = 140 + 30 * i;
            const int top = 140 - values[i];
            dc->SetPenWidth(i == 1 ? 2 : 1);
            dc->Rectangle({left, top, left + (i == 4 ? 0 : 18), 140}, GridRgb(0, 0, 0),
                          i == 1 ? kMark : kBar);
            dc->TextOut(left + 9 + 1, top - 3,
                        std::to_wstring(values[i]) + L".5"); // rising from its baseline
        }
        dc->SetPenWidth(1);
        dc->Line({300, 30}, {330, 60}, GridRgb(200, 0, 0)); // a slanted line
        const SGridPoint triangle[] = {{300, 100}, {330, 100}, {315, 75}};
        dc->Polygon(triangle, 3, GridRgb(0, 0, 0), GridRgb(0, 0, 255));
        dc->FrameRect({298, 104, 334, 140}, GridRgb(0, 111, 127));

        // Image tiles: plain, and blended as a selected cell shows them.
        dc->DrawImage(Images(), 0, 340, 30, false);
        dc->DrawImage(Images(), 1, 366, 30, false);
        dc->DrawImage(Images(), 0, 340, 54, true);
        dc->DrawImage(Images(), 1, 366, 54, true);

        // Text in each alignment around one point, and downward.
        dc->SetFont(plain);
        dc->SetTextColor(GridRgb(0, 111, 127));
        const SGridPoint p{470, 60};
        dc->Line({p.x - 60, p.y}, {p.x + 61, p.y}, GridRgb(200, 200, 200));
        dc->Line({p.x, p.y - 30}, {p.x, p.y + 31}, GridRgb(200, 200, 200));
        dc->SetTextAlign(NGridTextAlign::Right);
        dc->SetTextVAlign(NGridTextVAlign::Bottom);
        dc->TextOut(p.x, p.y, L"right, bottom");
        dc->SetTextAlign(NGridTextAlign::Left);
        dc->SetTextVAlign(NGridTextVAlign::Top);
        dc->TextOut(p.x, p.y, L"left, top");
        dc->SetTextAlign(NGridTextAlign::Center);
        dc->SetTextVAlign(NGridTextVAlign::Baseline);
        dc->TextOut(p.x, p.y + 40, L"centre on the baseline");
        SGridFont downward = plain;
        downward.escapement = -900;
        dc->SetFont(downward);
        dc->SetTextAlign(NGridTextAlign::Left);
        dc->SetTextVAlign(NGridTextVAlign::Top);
        dc->TextOut(590, 10, L"downward");

        // A block clipped to itself: its long text stops at the block's edge.
        dc->SaveState();
        dc->SetFont(plain);
        dc->SetTextColor(GridRgb(0, 0, 0));
        dc->IntersectClip({400, 104, 520, 124});
        dc->FillSolidRect({380, 100, 540, 130}, GridRgb(255, 255, 200));
        dc->TextOut(404, 106, L"a comment far too long for its block");
        dc->RestoreState();

        // Trying to paint above the cell, even after replacing the clip, reaches nothing outside it.
        dc->SaveState();
        dc->SetClip({-1000, -1000, 5000, 5000});
        dc->FillSolidRect({0, -40, width, 0}, kEscape);
        dc->ResetClip();
        dc->FillSolidRect({width, 0, width + 40, height}, kEscape);
        dc->RestoreState();

        dc->RestoreState();
        (void)row;
        (void)col;
        (void)erase;
        (void)printing;
        return true;
    }
};
