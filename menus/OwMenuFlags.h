#pragma once
// The state bits of a menu item, with the values of the system's MF_ flags
// so callers write the same expressions as for any popup menu.

enum NOwMenuFlags : unsigned
{
    MF_STRING = 0x0000,
    MF_ENABLED = 0x0000,
    MF_UNCHECKED = 0x0000,
    MF_GRAYED = 0x0001,
    MF_DISABLED = 0x0002,
    MF_CHECKED = 0x0008,
    MF_POPUP = 0x0010,
    MF_SEPARATOR = 0x0800,
};

/// The drawing state of an item (ODS_ values).
enum NOwMenuItemState : unsigned
{
    ODS_SELECTED = 0x0001,
    ODS_GRAYED = 0x0002,
    ODS_CHECKED = 0x0008,
};
