#pragma once
#include "tests/support/RecordingGridSurface.h"

/// The grid tests' name for the recording surface.
using CFakeGridSurface = CRecordingGridSurface;
