#pragma once
#include "grid/GridCtrl.h"

/// Fills `grid` the way the series page does: one heading row, per series a
/// row of texts with a mean-value bar and beneath it a detail row whose
/// columns 1-5 are one merged report cell, collapsed (height 0) except for
/// every third series. Pixel scrolling, list mode, columns resizable by
/// their dividers; each mean value has a hot spot with a tip.
void BuildSeriesDemo(CGridCtrl& grid, int seriesCount);
