#pragma once

/// What a drag may do or did with its data (the drop-effect bits).
enum NGridDropEffect : unsigned
{
    DROPEFFECT_NONE = 0,
    DROPEFFECT_COPY = 1,
    DROPEFFECT_MOVE = 2,
};
