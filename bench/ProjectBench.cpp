// Saving and opening a project of 10,000 series of 100 readings, against
// writing and reading the same number of bytes with a plain buffered file
// (fsync'ed like a save), and the heap the document needs on the way.
//
// Counters: bytes = the file's size; peak_heap = the most heap in use at
// once during one operation above what was in use before it; peak_ratio =
// peak_heap / bytes.

#include "data/TerrionDoc.h"
#include "tests/support/TempDir.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <malloc.h>
#include <new>
#include <unistd.h>
#include <vector>

namespace
{
std::atomic<long long> g_heapInUse{0};
std::atomic<long long> g_heapPeak{0};

void* Allocate(std::size_t size)
{
    void* p = std::malloc(size ? size : 1);
    if (!p)
        throw std::bad_alloc();
    const long long now = g_heapInUse += static_cast<long long>(malloc_usable_size(p));
    long long peak = g_heapPeak.load();
    while (now > peak && !g_heapPeak.compare_exchange_weak(peak, now))
    {
    }
    return p;
}

void Release(void* p) noexcept
{
    if (!p)
        return;
    g_heapInUse -= static_cast<long long>(malloc_usable_size(p));
    std::free(p);
}
} // namespace

void* operator new(std::size_t size)
{
    return Allocate(size);
}
void* operator new[](std::size_t size)
{
    return Allocate(size);
}
void operator delete(void* p) noexcept
{
    Release(p);
}
void operator delete[](void* p) noexcept
{
    Release(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    Release(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    Release(p);
}

namespace
{
constexpr int kSeries = 10000;
constexpr int kReadings = 100;

struct SFixture
{
    SFixture()
    {
        CTerrionData::TObjects objects(kSeries);
        for (int i = 0; i < kSeries; ++i)
        {
            auto& o = objects[static_cast<std::size_t>(i)];
            o.ident.typeName = L"Terrion";
            o.ident.serialNumber = L"TN12-345-6789";
            o.ident.firmwareVersion = L"2.0.1";
            o.ident.hardwareRevision = L"HW 1.1";
            o.ident.signature = L"0A000001";
            o.objectNumber = static_cast<std::uint16_t>(i % 256);
            o.settings = {true,
                          500,
                          380,
                          1,
                          380,
                          1.25f,
                          Device::NMeasurementMode::Surface,
                          Device::NSpecimenShape::Cylinder,
                          Device::NCorrectionKind::Geometric,
                          2000,
                          1000,
                          0};
            for (int r = 0; r < kReadings; ++r)
                o.readings.push_back(
                    {10.0 + (i * 7 + r) % 300, 0x10, static_cast<std::uint16_t>(r % 7 ? 10 : 0)});
        }
        doc.AddSeries(objects, false);
        for (int i = 0; i < kSeries; ++i)
            doc.SetName(i, L"Series " + std::to_wstring(i));
        path = temp / "bench.vnr";
        doc.SaveFile(path.wstring());
        bytes = static_cast<long long>(std::filesystem::file_size(path));
    }

    TerrionTest::CTempDir temp;
    CTerrionDoc doc;
    std::filesystem::path path;
    long long bytes = 0;
};

SFixture& Fixture()
{
    static SFixture fixture;
    return fixture;
}

void Report(benchmark::State& state, long long peak)
{
    const auto bytes = Fixture().bytes;
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["peak_heap"] = static_cast<double>(peak);
    state.counters["peak_ratio"] = static_cast<double>(peak) / static_cast<double>(bytes);
}

void BM_SaveProject(benchmark::State& state)
{
    auto& f = Fixture();
    long long peak = 0;
    for (auto _ : state)
    {
        const long long base = g_heapInUse;
        g_heapPeak = base;
        if (!f.doc.SaveFile(f.path.wstring()))
            state.SkipWithError("save failed");
        peak = std::max(peak, g_heapPeak - base);
    }
    Report(state, peak);
}

void BM_OpenProject(benchmark::State& state)
{
    auto& f = Fixture();
    long long peak = 0;
    for (auto _ : state)
    {
        CTerrionDoc doc;
        const long long base = g_heapInUse;
        g_heapPeak = base;
        if (!doc.Open(f.path.wstring(), false) || doc.GetSeriesCount() != kSeries)
            state.SkipWithError("open failed");
        peak = std::max(peak, g_heapPeak - base);
        state.PauseTiming(); // the document's destruction is not part of opening
        doc.Close();
        state.ResumeTiming();
    }
    Report(state, peak);
}

// The same number of bytes through stdio's buffer in pieces of the argument's
// size (11: a reading's size, as a project is written field by field; 64 KB:
// bulk), then flushed and synchronised.
void BM_PlainWrite(benchmark::State& state)
{
    auto& f = Fixture();
    const auto target = f.temp / "plain.bin";
    const std::vector<std::uint8_t> piece(static_cast<std::size_t>(state.range(0)));
    const auto size = static_cast<long long>(piece.size());
    for (auto _ : state)
    {
        std::FILE* file = std::fopen(target.c_str(), "wb");
        for (long long n = 0; n < f.bytes; n += size)
            std::fwrite(piece.data(), 1, static_cast<std::size_t>(std::min(size, f.bytes - n)), file);
        std::fflush(file);
        fsync(fileno(file));
        std::fclose(file);
    }
    Report(state, 0);
}

void BM_PlainRead(benchmark::State& state)
{
    auto& f = Fixture();
    std::vector<std::uint8_t> piece(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
    {
        std::FILE* file = std::fopen(f.path.c_str(), "rb");
        long long total = 0;
        std::size_t got;
        while ((got = std::fread(piece.data(), 1, piece.size(), file)) > 0)
            total += static_cast<long long>(got);
        benchmark::DoNotOptimize(total);
        std::fclose(file);
    }
    Report(state, 0);
}

BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainWrite)->Arg(11)->Arg(65536)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenProject)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainRead)->Arg(11)->Arg(65536)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace
