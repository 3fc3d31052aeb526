#include "ProjectFixtures.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace TerrionTest
{

namespace
{
TObject MakeObject(std::uint16_t number)
{
    TObject o;
    o.ident.typeName = L"Terrion";
    o.ident.serialNumber = L"TR-0042";
    o.ident.firmwareVersion = L"1.05";
    o.ident.hardwareRevision = L"B";
    o.ident.signature = L"07A1";
    o.objectNumber = number;
    return o;
}
// The coded fields as the golden files store their bytes.
Device::TMeasSettings Settings(bool custom, std::uint16_t spacing, float factor, std::uint8_t mode,
                               std::uint8_t shape, std::uint8_t correction, std::uint16_t length,
                               std::uint16_t diameter, std::uint16_t depth)
{
    Device::TMeasSettings s;
    s.customSpacing = custom;
    s.defaultSpacing = 500;
    s.spacingWord = spacing;
    s.format = 1;
    s.contactSpacing = spacing;
    s.correctionFactor = factor;
    s.mode = static_cast<Device::NMeasurementMode>(mode);
    s.shape = static_cast<Device::NSpecimenShape>(shape);
    s.correctionKind = static_cast<Device::NCorrectionKind>(correction);
    s.length = length;
    s.diameter = diameter;
    s.depth = depth;
    return s;
}
} // namespace

TObject ObjectA()
{
    TObject o = MakeObject(3);
    o.settings = Settings(true, 380, 1.25f, 1, 2, 1, 2000, 1000, 0);
    o.readings = {{10.0, 0x10, 10}, {0.0, 0x10, 0}, {30.0, 0x30, 20}, {20.0, 0x50, 200}};
    return o;
}

TObject ObjectB()
{
    TObject o = MakeObject(5);
    o.settings = Settings(false, 0xFFFF, 0.5f, 2, 3, 2, 1500, 700, 300);
    o.readings = {{5.5, 0x20, 30}, {6.5, 0x20, 30}};
    return o;
}

TObject ObjectC()
{
    TObject o = MakeObject(9);
    o.settings = Settings(false, 0xFFFF, 1.0f, 1, 1, 1, 0, 0, 0);
    return o;
}

TGuid GoldenGuid(unsigned n)
{
    wchar_t text[64];
    std::swprintf(text, 64, L"1F2E3D4C-5B6A-4789-A0B1-C2D3E4F5%04X", n);
    TGuid guid;
    TGuid::Parse(text, &guid);
    return guid;
}

void MakeReproducible(CTerrionDoc& doc)
{
    doc.SetWriterVersion(CVersion(1, 2, 3, 4));
    auto counter = std::make_shared<unsigned>(0);
    doc.SetSeriesStamps([counter] { return GoldenGuid(++*counter); }, [] { return kFixedTime; });
}

std::filesystem::path GoldenPath(const std::string& name)
{
    return std::filesystem::path(TERRION_TEST_DATA_DIR) / "project" / name;
}

TBytes ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return TBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::filesystem::path& path, const TBytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

SDocSnapshot SDocSnapshot::Of(const CTerrionDoc& doc)
{
    SDocSnapshot s;
    s.path = doc.GetPath();
    s.modified = doc.IsModified();
    s.comment = doc.GetSummaryComment();
    s.summaryCount = doc.GetSummaryCount();
    s.projectOrder = doc.GetSortOrder();
    s.originalOrder = doc.GetOriginalData().GetSortOrder();
    for (int i = 0; i < doc.GetSeriesCount(); ++i)
    {
        s.projectNames.push_back(doc.GetName(i));
        s.projectSelected.push_back(doc.GetProjectData().IsSelected(i));
    }
    s.originalCount = doc.GetOriginalData().GetCount();
    return s;
}

} // namespace TerrionTest
