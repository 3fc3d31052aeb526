#pragma once
#include "views/GridCellMultiBmp.h"

/// The first cell of a series row: two image toggles over a gradient, one
/// that expands and collapses the series' report (images 0 and 1) and one
/// that puts the series into the summary or takes it out (images 2 and 3).
/// A click flips the toggle it hits; the page reads the toggles afterwards.
/// Both start true (collapsed, in the summary).
class CGridCellDetailGripper : public CGridCellMultiBmp
{
public:
    /// Image ids of the four placements.
    enum NImage
    {
        ImageCollapsed = 0,  ///< shown while collapsed: click to expand
        ImageExpanded = 1,   ///< shown while expanded: click to collapse
        ImageInSummary = 2,  ///< shown while in the summary
        ImageOutSummary = 3, ///< shown while not in the summary
    };

    CGridCellDetailGripper();

    bool IsExpanded() const { return !m_collapsed; }
    /// Stores the toggle and shows its image; no repaint, no notification.
    void SetCollapsed(bool collapsed);
    bool IsInSummary() const { return m_inSummary; }
    void SetInSummary(bool inSummary);

    /// The base cell, one scroll-bar width wider.
    SGridSize GetCellExtent(CGridSurface* dc) override;
    /// Flips the toggle whose image was hit; a miss changes nothing.
    void OnClick(SGridPoint point) override;

private:
    bool m_collapsed = true;
    bool m_inSummary = true;
};
