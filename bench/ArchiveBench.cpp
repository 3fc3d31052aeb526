// The binary archive against plain buffered stdio: 100 MB of mixed records
// written to a file and read back, through CVNArchive over a file stream and
// through fwrite/fread of the same bytes. The archive should stay within 2x.

#include "streams/TextCodec.h"
#include "streams/VNArchive.h"
#include "tests/support/TempDir.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace
{

constexpr std::int64_t kTotalBytes = 100'000'000;
const std::wstring kName = L"Probe \u03A9-17";

// One record: byte, word, dword, qword, double, bool and a short string.
std::int64_t RecordSize()
{
    return 1 + 2 + 4 + 8 + 8 + 4 + 3 + 2 * static_cast<std::int64_t>(kName.size());
}

std::int64_t RecordCount()
{
    return kTotalBytes / RecordSize();
}

void BM_ArchiveWriteRead(benchmark::State& state)
{
    const unsigned bufferSize = static_cast<unsigned>(state.range(0));
    const TerrionTest::CTempDir dir;
    const std::wstring path = (dir / "bench.vnr").wstring();
    const std::int64_t records = RecordCount();
    for (auto _ : state)
    {
        {
            StreamIO::CVNArchive out(path, StreamIO::CVNArchive::amStore, bufferSize);
            for (std::int64_t i = 0; i < records; ++i)
            {
                out.WriteByte(static_cast<std::uint8_t>(i));
                out.WriteWord(static_cast<std::uint16_t>(i));
                out.WriteDWord(static_cast<std::uint32_t>(i));
                out.WriteQWord(static_cast<std::uint64_t>(i) * 0x9E3779B97F4A7C15ull);
                out.WriteDouble(static_cast<double>(i) * 0.5);
                out.WriteBool((i & 1) != 0);
                out.WriteString(kName);
            }
            out.Close();
        }
        std::uint64_t sum = 0;
        {
            StreamIO::CVNArchive in(path, StreamIO::CVNArchive::amLoad, bufferSize);
            std::uint8_t b = 0;
            std::uint16_t w = 0;
            std::uint32_t d = 0;
            std::uint64_t q = 0;
            double real = 0;
            bool flag = false;
            std::wstring text;
            for (std::int64_t i = 0; i < records; ++i)
            {
                in.ReadByte(b);
                in.ReadWord(w);
                in.ReadDWord(d);
                in.ReadQWord(q);
                in.ReadDouble(real);
                in.ReadBool(flag);
                in.ReadString(text);
                sum += b + w + d + q + static_cast<std::uint64_t>(real) + flag + text.size();
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(state.iterations() * 2 * records * RecordSize());
}
BENCHMARK(BM_ArchiveWriteRead)->Arg(1024)->Arg(65536)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_StdioWriteRead(benchmark::State& state)
{
    const TerrionTest::CTempDir dir;
    const std::string path = (dir / "bench.bin").string();
    const std::int64_t records = RecordCount();
    const std::u16string units = StreamIO::CTextCodec::ToUtf16(kName);
    const std::uint16_t count = static_cast<std::uint16_t>(units.size());
    const std::uint8_t marker = 0xFE;
    for (auto _ : state)
    {
        {
            std::FILE* out = std::fopen(path.c_str(), "wb");
            for (std::int64_t i = 0; i < records; ++i)
            {
                const auto b = static_cast<std::uint8_t>(i);
                const auto w = static_cast<std::uint16_t>(i);
                const auto d = static_cast<std::uint32_t>(i);
                const std::uint64_t q = static_cast<std::uint64_t>(i) * 0x9E3779B97F4A7C15ull;
                const double real = static_cast<double>(i) * 0.5;
                const std::uint32_t flag = (i & 1) != 0 ? 1 : 0;
                std::fwrite(&b, 1, 1, out);
                std::fwrite(&w, 2, 1, out);
                std::fwrite(&d, 4, 1, out);
                std::fwrite(&q, 8, 1, out);
                std::fwrite(&real, 8, 1, out);
                std::fwrite(&flag, 4, 1, out);
                std::fwrite(&marker, 1, 1, out);
                std::fwrite(&count, 2, 1, out);
                std::fwrite(units.data(), 2, units.size(), out);
            }
            std::fclose(out);
        }
        std::uint64_t sum = 0;
        {
            std::FILE* in = std::fopen(path.c_str(), "rb");
            std::uint8_t b = 0;
            std::uint16_t w = 0;
            std::uint32_t d = 0;
            std::uint64_t q = 0;
            double real = 0;
            std::uint32_t flag = 0;
            std::uint8_t mark = 0;
            std::uint16_t n = 0;
            char16_t text[256];
            for (std::int64_t i = 0; i < records; ++i)
            {
                std::fread(&b, 1, 1, in);
                std::fread(&w, 2, 1, in);
                std::fread(&d, 4, 1, in);
                std::fread(&q, 8, 1, in);
                std::fread(&real, 8, 1, in);
                std::fread(&flag, 4, 1, in);
                std::fread(&mark, 1, 1, in);
                std::fread(&n, 2, 1, in);
                std::fread(text, 2, n, in);
                sum += b + w + d + q + static_cast<std::uint64_t>(real) + flag + n;
            }
            std::fclose(in);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(state.iterations() * 2 * records * RecordSize());
}
BENCHMARK(BM_StdioWriteRead)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
