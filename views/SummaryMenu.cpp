#include "views/SummaryMenu.h"

#include "data/TerrionDoc.h"
#include "menus/OwMenu.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "resources/TextFormat.h"
#include "views/SeriesImages.h"

namespace Ids = Resources::Ids;
using Resources::CStringTable;

namespace
{

/// A series name shown as it is: "&" would otherwise mark a mnemonic.
std::wstring Literal(const std::wstring& text)
{
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text)
    {
        out += c;
        if (c == L'&')
            out += L'&';
    }
    return out;
}

} // namespace

void CSummaryMenu::Build(OwMenu& menu, const std::wstring& label)
{
    const CGridImageList& images = CSeriesImages::SummaryMenuImages();
    menu.SetIconSize(16, 16);
    if (!label.empty())
    {
        menu.AppendMenu(Resources::CTextFormat::Format(Ids::kSummaryRemoveSeries, {Literal(label)}),
                        MF_STRING, ChoiceRemoveSeries, &images, 0);
        menu.AppendMenu(L"", MF_SEPARATOR, 0);
    }
    menu.AppendMenu(CStringTable::Text(Ids::kSummaryRemoveAll), MF_STRING, ChoiceRemoveAll, &images, 1);
    menu.AppendMenu(CStringTable::Text(Ids::kSummaryAddAll), MF_STRING, ChoiceAddAll, &images, 2);
}

void CSummaryMenu::Apply(CTerrionDoc& doc, unsigned choice, int seriesIndex)
{
    switch (choice)
    {
    case ChoiceRemoveSeries:
        if (seriesIndex >= 0 && seriesIndex < doc.GetSeriesCount())
            doc.SetInSummary(seriesIndex, false);
        break;
    case ChoiceRemoveAll:
        doc.SetAllInSummary(false);
        break;
    case ChoiceAddAll:
        doc.SetAllInSummary(true);
        break;
    default:
        break;
    }
}
