#include "views/SummaryFonts.h"

SSummaryFonts SSummaryFonts::From(const SGridFont& message)
{
    SSummaryFonts fonts{SSeriesReportFonts::From(message), message, message};
    fonts.title.weight = 800;
    fonts.title.height = static_cast<int>(1.8 * message.height);
    fonts.vertical.escapement = 900;
    return fonts;
}
