#include "tests/grid/GridDemo.h"

#include <cstdio>
#include <string>

#include "grid/GridCell.h"
#include "grid/GridSurface.h"

namespace
{

constexpr TGridColor kRowColor = GridRgb(242, 245, 253);
constexpr TGridColor kTealColor = GridRgb(188, 224, 232);
constexpr TGridColor kBarColor = GridRgb(0, 160, 191);
constexpr TGridColor kTextColor = GridRgb(34, 36, 76);

std::wstring Format(const wchar_t* pattern, double a, double b = 0)
{
    wchar_t buffer[64];
    std::swprintf(buffer, 64, pattern, a, b);
    return buffer;
}

/// A mean value drawn as a bar behind its text.
class CDemoBarCell : public CGridCell
{
public:
    double fraction = 0.5;

    bool DrawBackground(CGridSurface* dc, int row, int col, SGridRect rect, bool forPrinting) override
    {
        CGridCell::DrawBackground(dc, row, col, rect, forPrinting);
        const int width = static_cast<int>((rect.right - rect.left) * fraction);
        dc->FillSolidRect({rect.left, rect.top + 3, rect.left + width, rect.bottom - 2},
                          IsSelected() ? GridRgb(0, 120, 151) : kBarColor);
        return true;
    }
};

/// The detail row's report: a gradient band with a few lines of text.
class CDemoReportCell : public CGridCell
{
public:
    int series = 0;

    bool Draw(CGridSurface* dc, int, int, SGridRect rect, bool, bool) override
    {
        if (!dc || rect.bottom <= rect.top)
            return true;
        dc->SaveState();
        dc->FillSolidRect(rect, kRowColor);
        dc->GradientFill({rect.left, rect.top, rect.right, rect.top + 6}, kTealColor, kRowColor, true);
        SGridFont bold;
        bold.weight = 700;
        dc->SetFont(bold);
        dc->SetTextColor(kTextColor);
        dc->SetTextAlign(NGridTextAlign::Left);
        dc->TextOut(rect.left + 10, rect.top + 10, L"Statistics");
        dc->SetFont(SGridFont{});
        dc->TextOut(rect.left + 10, rect.top + 32, L"Measurements   N = " + std::to_wstring(10 + series));
        dc->TextOut(rect.left + 10, rect.top + 52,
                    Format(L"Mean value   f = %0.1f k\u03A9\u00B7cm", 12.5 + series));
        dc->TextOut(rect.left + 300, rect.top + 10, L"Comment");
        dc->TextOut(rect.left + 300, rect.top + 32, L"[Add]");
        dc->RestoreState();
        return true;
    }
};

} // namespace

void BuildSeriesDemo(CGridCtrl& grid, int seriesCount)
{
    grid.SetRedraw(false);
    grid.DeleteAllItems();
    grid.SetWholeRowScrolling(false);
    grid.SetDefaultCellWidth(100);
    grid.SetDefaultCellHeight(22);
    grid.SetFixedColumnCount(0);
    grid.SetFixedRowCount(1);
    grid.SetAllowRowResize(false);
    grid.SetListMode(true);
    grid.SetRowCount(1);
    grid.GetDefaultCell(false, false)->SetTextColor(kTextColor);
    grid.SetRowHeight(0, 26);
    grid.SetColumnCount(6);
    const wchar_t* headings[] = {L"ID", L"Name", L"Date & Time", L"Mean Value", L"Total", L"Std. Deviation"};
    for (int col = 0; col < 6; ++col)
        grid.SetItemText(0, col, headings[col]);
    const int widths[] = {80, 80, 100, 150, 70, 110};
    for (int col = 0; col < 6; ++col)
        grid.SetColumnWidth(col, widths[col]);

    grid.SetRowCount(2 * seriesCount + 1);
    for (int i = 0; i < seriesCount; ++i)
    {
        const int row = 2 * i + 1;
        const int detail = row + 1;
        grid.SetCellType<CDemoBarCell>(row, 3);
        static_cast<CDemoBarCell*>(grid.GetCell(row, 3))->fraction = 0.2 + 0.08 * (i % 10);
        grid.SetItemText(row, 0, std::to_wstring(i + 1));
        grid.SetItemFormat(row, 0, grid.GetItemFormat(row, 0) | DT_RIGHT);
        grid.SetItemText(row, 1, L"Series " + std::to_wstring(i + 1));
        grid.SetItemText(row, 2, L"10.12.2026 14:" + std::to_wstring(10 + i % 50));
        grid.SetItemText(row, 3, Format(L"%0.1f k\u03A9\u00B7cm", 12.5 + i));
        // The mean value's bar explains itself in a tip.
        grid.GetCell(row, 3)->AddHotSpot(nullptr, L"Series " + std::to_wstring(i + 1),
                                         Format(L"Mean value %0.1f k\u03A9\u00B7cm\r\n", 12.5 + i) +
                                             std::to_wstring(10 + i) + L" readings");
        grid.SetItemText(row, 4, std::to_wstring(10 + i));
        grid.SetItemText(row, 5, i % 4 == 3 ? L"--" : Format(L"%.2f", 0.37 * (i + 1)));
        for (int col = 0; col < 6; ++col)
        {
            grid.SetItemBackColor(row, col, kRowColor);
            grid.GetCell(row, col)->SetTextColor(kTextColor);
            // As on the series page, only the name is edited in place.
            if (col != 1)
                grid.SetItemState(row, col, grid.GetItemState(row, col) | GCS_READONLY);
        }
        grid.SetItemBackColor(row, 0, kTealColor);

        grid.SetItemBackColor(detail, 0, kTealColor);
        for (int col = 1; col < 6; ++col)
        {
            grid.SetCellType<CDemoReportCell>(detail, col);
            static_cast<CDemoReportCell*>(grid.GetCell(detail, col))->series = i;
        }
        grid.MergeCells(detail, 1, 5);
        for (int col = 0; col < 6; ++col)
            grid.SetItemState(detail, col, grid.GetItemState(detail, col) | GCS_READONLY);
        grid.SetRowHeight(detail, i % 3 == 1 ? 90 : 0);
    }
    grid.SetRedraw(true, true);
}
