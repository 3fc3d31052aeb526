#pragma once
// Makes the simulated instrument of a scenario's family.

#include "tests/simulator/OtherScenario.h"
#include "tests/simulator/SimInstrument.h"

#include <memory>

namespace TerrionTest
{

std::unique_ptr<CSimInstrument> MakeOtherInstrument(const COtherScenario& scenario);

} // namespace TerrionTest
