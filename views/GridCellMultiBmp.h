#pragma once
#include <vector>

#include "views/GridCellGradient.h"
#include "views/MultiBmpInfo.h"

class CGridImageList;

/// A gradient cell that places images of an image list over its contents,
/// each where its MULTIBMPINFO says, and reports which one was clicked.
class CGridCellMultiBmp : public CGridCellGradient
{
public:
    /// Not owned; null draws no image.
    void SetImageList(const CGridImageList* images) { m_images = images; }
    const CGridImageList* GetImageList() const { return m_images; }
    /// Inserts a copy after the last placement whose sort key is not larger.
    void AddBitmap(const MULTIBMPINFO& info);
    /// Hides or shows the first placement of `image`; nothing when none has it.
    void SetHidden(int image, bool hidden);
    /// The image of the placement the last click hit, -1 for none.
    int GetHitId() const { return m_hitId; }
    const std::vector<MULTIBMPINFO>& GetPlacements() const { return m_placements; }

    /// The base cell (on screen), then the shown images (printable ones only
    /// when the surface prints), then the focus frame over them.
    bool Draw(CGridSurface* dc, int row, int col, SGridRect rect, bool eraseBackground,
              bool forPrinting) override;
    /// The base cell's print, then the printable images over it.
    bool PrintCell(CGridSurface* dc, int row, int col, SGridRect rect) override;
    /// The base size, two scroll-bar widths wider.
    SGridSize GetCellExtent(CGridSurface* dc) override;
    /// Hit-tests the shown images (cell-relative point).
    void OnClick(SGridPoint point) override;

private:
    /// The rectangle of a placement anchored at the rect's top-left corner,
    /// right and bottom outside; empty when it has no image to draw.
    SGridRect PlacementRect(const MULTIBMPINFO& info, const SGridRect& cell) const;
    const CGridImageList* ImagesOf(const MULTIBMPINFO& info) const;

    const CGridImageList* m_images = nullptr;
    std::vector<MULTIBMPINFO> m_placements;
    int m_hitId = -1;
};
