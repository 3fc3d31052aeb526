#pragma once
#include <wx/dc.h>

#include "grid/GridDcSurface.h"

/// The grid's wxDC surface with what the menus draw besides: images from an
/// image list with their transparent colour left out, and the real metrics
/// of the font for placing the mnemonic underline.
class OwMenuDcSurface : public CGridDcSurface
{
public:
    OwMenuDcSurface(wxDC& dc, SGridRect clipBox);

    void DrawImage(const CGridImageList& images, int index, int x, int y, bool blend50) override;
    SGridFontMetrics GetFontMetrics() override;

private:
    wxDC& m_target;
};
