#pragma once
#include <string>

class CTerrionDoc;
class OwMenu;

/// The summary page's context menu: take the series under the pointer out
/// of the summary, take all out, put all in.
class CSummaryMenu
{
public:
    enum NChoice : unsigned
    {
        ChoiceNone = 0,
        ChoiceRemoveSeries = 1,
        ChoiceRemoveAll = 2,
        ChoiceAddAll = 3,
    };

    /// Fills `menu`: with a `label` (the bar under the pointer) "Remove series
    /// <label>" and a separator first, then "Remove all series" and "Add all
    /// series", each with its image.
    static void Build(OwMenu& menu, const std::wstring& label);
    /// Carries out a choice; `seriesIndex` is the bar's series for ChoiceRemoveSeries.
    static void Apply(CTerrionDoc& doc, unsigned choice, int seriesIndex);
};
