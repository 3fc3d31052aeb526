// CRC throughput, and the serial stream's overhead over a plain read loop on
// the same pseudo-terminal.

#include "streams/Crc.h"
#include "streams/IoStream.h"
#include "streams/Rs232Stream.h"
#include "tests/support/PtyPair.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace
{

constexpr int kMiB = 1 << 20;
constexpr int kPort = 200;

void BM_Crc32(benchmark::State& state)
{
    std::vector<std::uint8_t> data(kMiB);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i * 131);
    for (auto _ : state)
        benchmark::DoNotOptimize(CalcCrc32(data.data(), kMiB, 0xFFFFFFFFu));
    state.SetBytesProcessed(state.iterations() * kMiB);
}
BENCHMARK(BM_Crc32);

// Feeds 1 MiB into the master side while the reader drains the slave.
std::thread Feed(TerrionTest::CPtyPair& pty)
{
    return std::thread(
        [&pty]
        {
            std::vector<std::uint8_t> chunk(64 * 1024, 0x5A);
            for (int sent = 0; sent < kMiB; sent += static_cast<int>(chunk.size()))
                pty.Write(chunk);
        });
}

void BM_PtyReadThroughRs232Stream(benchmark::State& state)
{
    TerrionTest::CPtyPair pty;
    pty.Map(kPort);
    StreamIO::CRs232Stream stream(kPort, StreamIO::ofRead | StreamIO::ofWrite, nullptr);
    stream.SetTimeouts(5000, -1);
    std::vector<std::uint8_t> buffer(kMiB);
    for (auto _ : state)
    {
        std::thread feeder = Feed(pty);
        int got = 0;
        while (got < kMiB)
            got += stream.Read(buffer.data() + got, kMiB - got);
        feeder.join();
    }
    state.SetBytesProcessed(state.iterations() * kMiB);
}
BENCHMARK(BM_PtyReadThroughRs232Stream)->UseRealTime();

void BM_PtyReadPlainLoop(benchmark::State& state)
{
    TerrionTest::CPtyPair pty;
    const int fd = open(pty.SlavePath().c_str(), O_RDWR | O_NOCTTY);
    std::vector<std::uint8_t> buffer(kMiB);
    for (auto _ : state)
    {
        std::thread feeder = Feed(pty);
        int got = 0;
        while (got < kMiB)
        {
            const ssize_t n = read(fd, buffer.data() + got, static_cast<std::size_t>(kMiB - got));
            if (n > 0)
                got += static_cast<int>(n);
        }
        feeder.join();
    }
    close(fd);
    state.SetBytesProcessed(state.iterations() * kMiB);
}
BENCHMARK(BM_PtyReadPlainLoop)->UseRealTime();

} // namespace
