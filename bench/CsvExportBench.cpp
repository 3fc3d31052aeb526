// The CSV export of 10,000 series to one file (through the temporary file
// that replaces the target when complete) against writing the same reports
// with the separator and byte-order mark straight to a file.
#include "tests/report/ReportDocument.h"
#include "tests/support/TempDir.h"
#include "views/ReportExport.h"
#include "views/SeriesReport.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace
{
constexpr int kSeries = 10000;

const CTerrionDoc& Document()
{
    static CTerrionDoc doc;
    if (doc.GetSeriesCount() == 0)
    {
        std::vector<TerrionTest::SReportSeries> series(kSeries, TerrionTest::BaseSeries());
        for (int i = 0; i < kSeries; ++i)
        {
            auto& s = series[static_cast<std::size_t>(i)];
            s.name = L"Series " + std::to_wstring(i);
            s.object.objectNumber = static_cast<std::uint16_t>(i);
            s.object.readings.clear();
            for (int r = 0; r < 12; ++r)
                s.object.readings.push_back(
                    {10.0 + 0.37 * ((i + r) % 50), 0, static_cast<std::uint16_t>(90 + r)});
        }
        TerrionTest::FillDocument(doc, series);
    }
    return doc;
}

void BM_CsvExportOneFile(benchmark::State& state)
{
    const CTerrionDoc& doc = Document();
    const CReportExport::TIncluded all(kSeries, true);
    TerrionTest::CTempDir dir;
    const std::wstring path = (dir / "all.csv").wstring();
    for (auto _ : state)
    {
        if (!CReportExport::WriteOneFile(doc, all, path, nullptr))
            state.SkipWithError("export failed");
    }
}
BENCHMARK(BM_CsvExportOneFile)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The reports and separators in UTF-16LE after the mark, written with stdio.
void BM_ReportWrittenDirectly(benchmark::State& state)
{
    const CTerrionDoc& doc = Document();
    TerrionTest::CTempDir dir;
    const std::string path = (dir / "direct.csv").string();
    for (auto _ : state)
    {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        const unsigned char bom[2] = {0xFF, 0xFE};
        std::fwrite(bom, 1, 2, file);
        std::vector<std::uint8_t> bytes;
        std::wstring report;
        for (int i = 0; i < doc.GetSeriesCount(); ++i)
        {
            report.clear();
            if (i > 0)
                report = CSeriesReport::Separator();
            CSeriesReport::GetSeriesReport(doc, i, report);
            bytes.clear();
            for (wchar_t c : report)
            {
                bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
                bytes.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));
            }
            std::fwrite(bytes.data(), 1, bytes.size(), file);
        }
        std::fclose(file);
    }
}
BENCHMARK(BM_ReportWrittenDirectly)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
