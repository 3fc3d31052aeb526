// The cover meter's text download decoded into objects: a reply of 100 kB
// against one of 400 kB, of real objects (99 readings each) and of objects
// that are nothing but separators. The import is one pass over the text, so
// four times the text should take about four times as long (within 5x).

#include "device/others/KindravelCodec.h"
#include "device/others/KindravelText.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace
{

using Device::CKindravelCodec;
using Device::CKindravelText;
using Device::TKindravelObject;
using Device::TKindravelObjectSet;

std::wstring RealObject(int number)
{
    TKindravelObject object;
    object.formatVersion = CVersion(0, 1, 0, 0);
    object.ident.typeName = L"Saltrevane";
    object.ident.serialNumber = L"SV12-345-6789";
    object.ident.firmwareVersion = L"1.2.3";
    object.ident.hardwareRevision = L"B2";
    object.ident.signature = L"06000001";
    object.regional = Device::regionMetric;
    object.storageMode = 1;
    object.rawDefaultBarDiameter = 16;
    object.comment = L"Wall \"A\"\r\nnorth";
    object.objectName = L"Pier " + std::to_wstring(number);
    object.date = 1709622489;
    object.objectNumber = static_cast<std::uint16_t>(number);
    for (int i = 1; i <= 99; ++i)
        object.readings.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(20 + i),
                                   static_cast<std::uint8_t>(i % 60)});
    return CKindravelText::ExportObjectText(object);
}

std::wstring SeparatorObject(std::size_t size)
{
    std::wstring object = L"Saltrevane+ Data File Version;1.0;";
    while (object.size() + 3 <= size)
        object += L"x;;";
    return object;
}

/// A reply of about bytes characters: objects of the kind until it is full.
std::wstring Reply(std::size_t bytes, bool real)
{
    std::wstring objects;
    int count = 0;
    while (objects.size() < bytes && count < CKindravelCodec::kMaxTextObjects)
    {
        objects += real ? RealObject(count + 1) : SeparatorObject(50'000);
        objects += L"<eof>";
        ++count;
    }
    return L"1;" + std::to_wstring(count) + L";" + objects;
}

void BM_TextReply(benchmark::State& state, bool real)
{
    const std::wstring reply = Reply(static_cast<std::size_t>(state.range(0)), real);
    for (auto _ : state)
    {
        TKindravelObjectSet set;
        benchmark::DoNotOptimize(CKindravelCodec::DecodeTextReply(reply, set));
        benchmark::DoNotOptimize(set.objects.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(reply.size()));
    state.counters["chars"] = static_cast<double>(reply.size());
}

void BM_TextReplyRealObjects(benchmark::State& state)
{
    BM_TextReply(state, true);
}

void BM_TextReplySeparators(benchmark::State& state)
{
    BM_TextReply(state, false);
}

} // namespace

BENCHMARK(BM_TextReplyRealObjects)->Arg(100'000)->Arg(400'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextReplySeparators)->Arg(100'000)->Arg(400'000)->Unit(benchmark::kMillisecond);
