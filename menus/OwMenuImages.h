#pragma once
#include <optional>

#include "grid/GridImageList.h"
#include "menus/OwMenuColors.h"

/// The images of one menu item: its own copy of the image and the variants
/// the flat look draws without converting anything while painting.
class OwMenuImages
{
public:
    enum NVariant : int
    {
        kImage = 0,
        kFaded = 1,   ///< lightened: the item at rest
        kShadow = 2,  ///< one colour: the shadow under a raised image
        kDisabled = 3 ///< grey tones ramped from the shadow colour
    };

    /// Tile `index` of `source` as a list of its own; none for an index
    /// outside the list.
    static std::optional<CGridImageList> CopyImage(const CGridImageList& source, int index);
    /// Tile 0 of `own` followed by its three variants. Transparent pixels
    /// stay transparent in every variant.
    static CGridImageList WithVariants(const CGridImageList& own, const SOwMenuColors& colors);
};
