#pragma once
#include <cstdint>
#include <string>

#include "grid/GridFont.h"
#include "grid/GridNotify.h"
#include "grid/GridTypes.h"

/// A cell's display data: what an in-place edit reports with GRIDN_ENDEDIT
/// (mask 5: text and lParam, the key that ended the edit).
struct SGridDisplayInfo
{
    /// The mask of an edit's report: text and lParam.
    static constexpr unsigned kEditMask = 5;

    SGridNotifyHeader hdr;
    int row = -1;
    int col = -1;
    unsigned mask = 0;
    unsigned state = 0;
    unsigned format = 0;
    int image = -1;
    TGridColor backColor = 0;
    TGridColor textColor = 0;
    std::intptr_t lParam = 0;
    SGridFont font;
    unsigned margin = 0;
    std::wstring text;
};
