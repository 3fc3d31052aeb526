// A misbehaving simulated Terrion: every operation of the driver ends with
// its failure value within the protocol's time-outs, and a failed download
// leaves the caller's array as documented.

#include "tests/device/TerrionEndToEnd.h"

namespace TerrionTest
{
namespace
{

enum NOperation : int
{
    opIdentify = 0,
    opDownload = 1,
    opWriteSettings = 2,
    opDeleteAll = 3,
};

enum NArrayAfter : int
{
    arNotChecked = 0,
    arUntouched = 1,
    arEmptied = 2,
};

struct SFaultCase
{
    const char* name;
    NSimFault fault;
    std::size_t stopAfter;
    NOperation operation;
    NArrayAfter array;
};

void PrintTo(const SFaultCase& c, std::ostream* out)
{
    *out << c.name;
}

class FaultsEndToEnd : public CTerrionEndToEnd, public ::testing::WithParamInterface<SFaultCase>
{
};

TEST_P(FaultsEndToEnd, FailsWithinTheTimeOuts)
{
    const SFaultCase& c = GetParam();
    Start(CTerrionScenario().AddSeries(1, {{10, false, 1, 0x10}}));
    if (c.operation != opIdentify)
        Identify(); // a sound instrument until now
    m_sim->SetFault(c.fault, c.stopAfter);

    bool result = true;
    std::vector<TObject> objects(1);
    objects[0].objectNumber = 999;
    const long long ms = TimedMs(
        [&]
        {
            switch (c.operation)
            {
            case opIdentify:
            {
                Device::SDeviceInfo info;
                result = m_device->Identify(info);
                break;
            }
            case opDownload:
                result = m_device->ReadAllObjects(objects);
                break;
            case opWriteSettings:
            {
                TSettings settings{};
                settings.spacingWord = 0xFFFF;
                settings.contactSpacing = 0xFFFF;
                settings.correctionFactor = 1.0f;
                settings.mode = Device::NMeasurementMode::Surface;
                settings.shape = Device::NSpecimenShape::Flat;
                settings.correctionKind = Device::NCorrectionKind::Geometric;
                result = m_device->WriteSettings(settings);
                break;
            }
            case opDeleteAll:
                result = m_device->DeleteAllSeries();
                break;
            }
        });
    EXPECT_FALSE(result);
    EXPECT_LT(ms, 15000) << "the driver should give up within its time-outs";
    if (c.array == arUntouched)
    {
        ASSERT_EQ(objects.size(), 1u);
        EXPECT_EQ(objects[0].objectNumber, 999);
    }
    else if (c.array == arEmptied)
    {
        EXPECT_TRUE(objects.empty());
    }
}

// Byte counts for sfStopAfter: the download gets 1 byte for the entry into
// memory access, 36 characters of settings, 4 of default spacing, then 4096
// characters of records.
INSTANTIATE_TEST_SUITE_P(
    Misbehaviour, FaultsEndToEnd,
    ::testing::Values(SFaultCase{"silent identify", sfSilent, 0, opIdentify, arNotChecked},
                      SFaultCase{"garbage identify", sfGarbage, 0, opIdentify, arNotChecked},
                      SFaultCase{"silent download", sfSilent, 0, opDownload, arUntouched},
                      SFaultCase{"garbage download", sfGarbage, 0, opDownload, arUntouched},
                      SFaultCase{"cut in the settings", sfStopAfter, 20, opDownload, arUntouched},
                      SFaultCase{"cut in the records", sfStopAfter, 600, opDownload, arEmptied},
                      SFaultCase{"silent settings write", sfSilent, 0, opWriteSettings, arNotChecked},
                      SFaultCase{"writes refused", sfBadChecksum, 0, opWriteSettings, arNotChecked},
                      SFaultCase{"silent delete", sfSilent, 0, opDeleteAll, arNotChecked},
                      SFaultCase{"garbage delete", sfGarbage, 0, opDeleteAll, arNotChecked}),
    [](const ::testing::TestParamInfo<SFaultCase>& info)
    {
        std::string name = info.param.name;
        for (char& ch : name)
            if (ch == ' ')
                ch = '_';
        return name;
    });

class FaultRecoveryEndToEnd : public CTerrionEndToEnd
{
};

TEST_F(FaultRecoveryEndToEnd, RefusedWritesLeaveTheBlockErasedAndNothingWritten)
{
    Start();
    m_sim->SetFault(sfBadChecksum);
    TSettings settings{};
    settings.spacingWord = 0x00C8;
    settings.contactSpacing = 0x00C8;
    EXPECT_FALSE(m_device->WriteSettings(settings));
    EXPECT_EQ(m_sim->WriteCount(), 0);
    EXPECT_EQ(m_sim->MemoryAt(0x1000, 18), std::vector<std::uint8_t>(18, 0xFF));
}

TEST_F(FaultRecoveryEndToEnd, RecoversWhenTheInstrumentAnswersAgain)
{
    Start(CTerrionScenario().AddSeries(2, {{33, false, 2, 0x10}}));
    Identify();
    m_sim->SetFault(sfStopAfter, 600);
    std::vector<TObject> objects;
    EXPECT_FALSE(m_device->ReadAllObjects(objects));
    m_sim->SetFault(sfNone);
    // The next command starts on a clean line, without a new identification.
    ASSERT_TRUE(m_device->ReadAllObjects(objects));
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(objects[0].objectNumber, 2);
    ExpectReadings(objects[0].readings, {Meas(33.0, 0x10, 20)});
}

} // namespace
} // namespace TerrionTest
