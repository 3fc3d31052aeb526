// Download of a full record area from the simulated Terrion at the
// instrument's line rate. The figure that matters is "ratio": the time taken
// over the wire time of every byte exchanged (both directions, 10 bits a byte
// at the configured baud). Close to 1 means the driver waits for nothing but
// the line and the protocol's own pauses.

#include "device/TerrionDevice.h"
#include "streams/Rs232Stream.h"
#include "tests/simulator/TerrionSimulator.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace
{

constexpr int kPort = 210;

void DownloadFullRecordArea(benchmark::State& state)
{
    const auto baud = static_cast<std::uint32_t>(state.range(0));
    TerrionTest::CTerrionScenario scenario;
    scenario.FillRecordArea(25);
    double wireSeconds = 0.0;
    double takenSeconds = 0.0;
    std::size_t objectCount = 0;
    for (auto _ : state)
    {
        TerrionTest::CTerrionSimulator simulator(scenario);
        simulator.Map(kPort);
        simulator.SetBaud(baud);
        Device::CTerrionDevice device;
        StreamIO::SRs232Settings settings = device.GetSerialSettings();
        settings.baud = baud;
        auto* stream = new StreamIO::CRs232Stream(kPort, StreamIO::ofRead | StreamIO::ofWrite, &settings);
        if (!device.Attach(stream, Device::portSerial))
        {
            delete stream;
            state.SkipWithError("attach failed");
            break;
        }
        simulator.ClearReceived();
        const std::size_t sentBefore = simulator.SentCount();

        std::vector<Device::CTerrionDevice::TTerrionObject> objects;
        const auto start = std::chrono::steady_clock::now();
        const bool ok = device.ReadAllObjects(objects);
        const auto stop = std::chrono::steady_clock::now();
        if (!ok)
        {
            state.SkipWithError("download failed");
            break;
        }
        const double taken = std::chrono::duration<double>(stop - start).count();
        const std::size_t bytes = simulator.Received().size() + (simulator.SentCount() - sentBefore);
        state.SetIterationTime(taken);
        takenSeconds += taken;
        wireSeconds += static_cast<double>(bytes) * 10.0 / baud;
        objectCount = objects.size();
    }
    state.counters["wire_s"] = benchmark::Counter(wireSeconds, benchmark::Counter::kAvgIterations);
    state.counters["ratio"] = wireSeconds > 0 ? takenSeconds / wireSeconds : 0.0;
    state.counters["objects"] = static_cast<double>(objectCount);
}

} // namespace

BENCHMARK(DownloadFullRecordArea)->Arg(19200)->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);
