#pragma once
#include "menus/OwMenuColors.h"
#include "menus/OwMenuMetrics.h"

/// The running desktop's colours and metrics for the menus.
class OwMenuSystemLook
{
public:
    /// The system colours (wxSystemSettings) under their classic names.
    static SOwMenuColors Colors();
    /// The menu line height: the system's when it has one, else the menu
    /// font's line with room above and below.
    static SOwMenuMetrics Metrics();
};
