#pragma once
// The illustrations of the export dialogs: the option tiles' pictures and the
// strips and icons the preview pages are built from. 24-bit pictures of the
// series grid's rows; the tiles and the icons drawn with a transparent key
// have the transparent colour in their top-left pixel.

#include "resources/BitmapResources.h"

namespace Resources
{

class CExportIllustrations
{
public:
    // Option tiles.
    static constexpr unsigned kClipboardTile = 30201;      ///< 93 x 59
    static constexpr unsigned kHeadersDetailsTile = 30202; ///< 94 x 78
    static constexpr unsigned kHeadersOnlyTile = 30203;    ///< 94 x 40
    static constexpr unsigned kSeparateImagesTile = 30204; ///< 93 x 77
    static constexpr unsigned kOneImageTile = 30205;       ///< 93 x 58
    static constexpr unsigned kAsIsTile = 30206;           ///< 94 x 40
    static constexpr unsigned kAllDataTile = 30207;        ///< 94 x 54
    static constexpr unsigned kSelectionTile = 30208;      ///< 94 x 54
    static constexpr unsigned kOneCsvTile = 30220;         ///< 93 x 58
    static constexpr unsigned kSeparateCsvTile = 30221;    ///< 93 x 77
    // Preview strips (drawn opaque) and icons.
    static constexpr unsigned kPreviewGridHeading = 30219;   ///< 52 x 5
    static constexpr unsigned kPreviewShadedHeading = 30218; ///< 52 x 5
    static constexpr unsigned kPreviewShadedDetails = 30217; ///< 52 x 21
    static constexpr unsigned kPreviewWhiteDetails = 30213;  ///< 52 x 18
    static constexpr unsigned kPreviewWhiteHeading = 30211;  ///< 52 x 5
    static constexpr unsigned kPreviewImageIcon = 30216;     ///< 27 x 30, on white
    static constexpr unsigned kPreviewClipboardIcon = 30215; ///< 26 x 31
    static constexpr unsigned kPreviewCsvIcon = 30222;       ///< 27 x 30

    /// The pixels of illustration `id`; an empty bitmap for any other id.
    static SBitmapPixels Pixels(unsigned id);
};

} // namespace Resources
