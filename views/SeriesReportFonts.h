#pragma once
#include "grid/GridFont.h"

class CGridSurface;

/// The four faces of the series report's texts.
enum class NReportFont
{
    Plain,
    Underlined,
    Bold,
    BoldUnderlined,
};

/// The series report's fonts, made from the font the report starts with.
struct SSeriesReportFonts
{
    SGridFont plain;
    SGridFont underlined;
    SGridFont bold;
    SGridFont boldUnderlined;

    static SSeriesReportFonts From(const SGridFont& base);
    const SGridFont& Get(NReportFont font) const;
    void Select(CGridSurface& dc, NReportFont font) const;
};
