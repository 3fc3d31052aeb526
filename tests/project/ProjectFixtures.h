#pragma once
// The measurement objects and fixed identifier and time sources that the
// golden files in tests/data/project were written for (make_golden.py).

#include "data/TerrionData.h"
#include "data/TerrionDoc.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace TerrionTest
{

using TObject = Device::TTerrionObject;
using TMeas = Device::TMeas;
using TBytes = std::vector<std::uint8_t>;

constexpr std::int64_t kFixedTime = 1700000000;

/// Readings 10, (invalid), 30, 20: mean 20, sd 10, min 10, max 30.
TObject ObjectA();
/// Readings 5.5, 6.5: mean 6, sd sqrt(0.5).
TObject ObjectB();
/// No readings.
TObject ObjectC();

/// The identifier the golden files give the n-th new series.
TGuid GoldenGuid(unsigned n);
/// Gives a document the golden files' writer version, identifiers and time.
void MakeReproducible(CTerrionDoc& doc);

std::filesystem::path GoldenPath(const std::string& name);
TBytes ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const TBytes& bytes);

/// Everything of the document a failed command must leave as it was.
struct SDocSnapshot
{
    std::wstring path;
    bool modified = false;
    std::wstring comment;
    int summaryCount = 0;
    std::uint8_t projectOrder = 0;
    std::uint8_t originalOrder = 0;
    std::vector<std::wstring> projectNames;
    std::vector<bool> projectSelected;
    int originalCount = 0;

    static SDocSnapshot Of(const CTerrionDoc& doc);
    bool operator==(const SDocSnapshot&) const = default;
};

} // namespace TerrionTest
