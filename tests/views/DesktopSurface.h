#pragma once
// A recording surface that measures text as a desktop font does: lines 1.3
// times the font's height, characters 0.55 times as wide; the default size
// is 13 pixels. A font 1.5 times higher stands for a 150 % text scale.
#include <string>

#include "tests/views/RecordingSurface.h"

namespace TerrionTest
{

class CDesktopSurface : public CRecordingSurface
{
public:
    using CRecordingSurface::CRecordingSurface;
    SGridSize GetTextExtent(std::wstring_view text) override
    {
        ++measured;
        const int size = GetFont().height > 0 ? GetFont().height : 13;
        return SGridSize{static_cast<int>(text.size()) * static_cast<int>(0.55 * size + 0.5),
                         static_cast<int>(1.3 * size)};
    }
};

} // namespace TerrionTest
