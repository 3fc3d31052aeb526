#pragma once

class CGridImageList;

/// Where a CGridCellMultiBmp places one image. The anchor is the cell's
/// top-left corner; the image's left edge sits on it (alignLeft), is centred
/// on it (centerX) or ends at it (neither), then moves by offsetX pixels, or
/// by offsetX percent of the cell width with percentX. Vertically the same.
struct MULTIBMPINFO
{
    int image = 0; ///< index into the cell's image list; also the placement's id
    int sortKey = 0;
    bool hidden = false;
    double offsetX = 0.0;
    double offsetY = 0.0;
    double unusedX = 0.0;
    double unusedY = 0.0;
    bool alignLeft = true;
    bool alignTop = true;
    bool centerX = false;
    bool centerY = false;
    bool percentX = false;
    bool percentY = false;
    bool unused = false;
    bool printable = false;
    /// Draw `bitmap` (its first image, half transparent when selected)
    /// instead of the image list's `image`.
    bool ownBitmap = false;
    const CGridImageList* bitmap = nullptr; ///< not owned
};
