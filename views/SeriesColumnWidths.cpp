#include "views/SeriesColumnWidths.h"

#include "views/DateTimeWidth.h"
#include "views/TextMeasure.h"

#include <algorithm>

int CSeriesColumnWidths::Scaled(int width, int averageCharWidth)
{
    if (averageCharWidth <= kDialogCharWidth)
        return width;
    const long long scaled =
        (static_cast<long long>(width) * averageCharWidth + kDialogCharWidth - 1) / kDialogCharWidth;
    return static_cast<int>(std::min<long long>(scaled, 1 << 20));
}

CSeriesColumnWidths::SWidths CSeriesColumnWidths::Compute(CTextMeasure& measure,
                                                          const std::wstring& datePattern,
                                                          const std::wstring& timePattern, int cellPadding)
{
    const int average = measure.AverageCharWidth();
    SWidths widths;
    widths.name = Scaled(kNameWidth, average);
    const std::wstring widest = CDateTimeWidth::WidestText(measure, datePattern) + L" " +
                                CDateTimeWidth::WidestText(measure, timePattern);
    widths.dateTime = std::max(Scaled(kDateTimeWidth, average), measure.TextWidth(widest) + cellPadding);
    return widths;
}
