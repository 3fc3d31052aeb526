#include "views/SeriesReportFonts.h"

#include "grid/GridSurface.h"

SSeriesReportFonts SSeriesReportFonts::From(const SGridFont& base)
{
    SSeriesReportFonts fonts{base, base, base, base};
    fonts.underlined.underline = true;
    fonts.bold.weight = 800;
    fonts.boldUnderlined.weight = 800;
    fonts.boldUnderlined.underline = true;
    return fonts;
}

const SGridFont& SSeriesReportFonts::Get(NReportFont font) const
{
    switch (font)
    {
    case NReportFont::Underlined:
        return underlined;
    case NReportFont::Bold:
        return bold;
    case NReportFont::BoldUnderlined:
        return boldUnderlined;
    case NReportFont::Plain:
        break;
    }
    return plain;
}

void SSeriesReportFonts::Select(CGridSurface& dc, NReportFont font) const
{
    dc.SetFont(Get(font));
}
