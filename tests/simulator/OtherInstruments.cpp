#include "tests/simulator/OtherInstruments.h"

#include "tests/simulator/CoverMeterInstrument.h"
#include "tests/simulator/KrastelInstrument.h"
#include "tests/simulator/ListeningInstrument.h"
#include "tests/simulator/OsInstrument.h"
#include "tests/simulator/WexleyInstrument.h"

namespace TerrionTest
{

std::unique_ptr<CSimInstrument> MakeOtherInstrument(const COtherScenario& scenario)
{
    switch (scenario.family)
    {
    case sfCoverMeter:
        return std::make_unique<CCoverMeterInstrument>(scenario);
    case sfKrastel:
    case sfMezzeta:
        return std::make_unique<CKrastelInstrument>(scenario);
    case sfWexley:
        return std::make_unique<CWexleyInstrument>(scenario);
    case sfListening:
        return std::make_unique<CListeningInstrument>(scenario);
    case sfOsBased:
        return std::make_unique<COsInstrument>(scenario);
    case sfTerrionLike:
    case sfProbe:
        break;
    }
    return std::make_unique<CFramedInstrument>(scenario);
}

} // namespace TerrionTest
