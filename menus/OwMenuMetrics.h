#pragma once

/// The system metrics that measuring needs.
struct SOwMenuMetrics
{
    /// Height of a menu bar line (SM_CYMENU): the least item height.
    int menuHeight = 19;
};
