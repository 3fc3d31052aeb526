#include "export/ExportOptions.h"

#include "export/ExportFileName.h"
#include "resources/ExportIllustrations.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"

namespace
{
namespace Ids = Resources::Ids;
using Pic = Resources::CExportIllustrations;

// Tile ids as the dialogs have always numbered them (the page never sees them).
constexpr int kGraphicHeaders = 0, kGraphicAsIs = 1, kGraphicDetails = 2, kGraphicAll = 3,
              kGraphicSelection = 4, kGraphicOneFile = 5, kGraphicSeparate = 6, kGraphicClipboard = 7;
constexpr int kCsvAll = 0, kCsvSelection = 1, kCsvOneFile = 2, kCsvSeparate = 3, kCsvClipboard = 4;

struct SFilterEntry
{
    unsigned labelId;
    const wchar_t* extension; ///< "" for every file
};
constexpr SFilterEntry kGraphicFilter[] = {{Ids::kExportFilterPng, L"png"},
                                           {Ids::kExportFilterBmp, L"bmp"},
                                           {Ids::kExportFilterJpg, L"jpg"},
                                           {Ids::kExportFilterAll, L""}};
constexpr SFilterEntry kCsvFilter[] = {{Ids::kExportFilterCsv, L"csv"}, {Ids::kExportFilterAll, L""}};
} // namespace

CExportOptions::CExportOptions(NKind kind) : m_kind(kind)
{
    if (kind == KIND_GRAPHIC)
    {
        m_groups = {
            {Ids::kExportWhatContent,
             126,
             Pic::kHeadersOnlyTile,
             {{kGraphicHeaders, Ids::kExportHeadersOnly, Pic::kHeadersOnlyTile},
              {kGraphicAsIs, Ids::kExportAsIs, Pic::kAsIsTile},
              {kGraphicDetails, Ids::kExportHeadersDetails, Pic::kHeadersDetailsTile}}},
            {Ids::kExportSelectTarget2,
             160,
             Pic::kOneImageTile,
             {{kGraphicOneFile, Ids::kExportOneFile, Pic::kOneImageTile},
              {kGraphicSeparate, Ids::kExportSeparateFiles, Pic::kSeparateImagesTile},
              {kGraphicClipboard, Ids::kExportToClipboard, Pic::kClipboardTile}}},
            {Ids::kExportSelectData3,
             90,
             Pic::kAllDataTile,
             {{kGraphicAll, Ids::kExportAllData, Pic::kAllDataTile},
              {kGraphicSelection, Ids::kExportSelectionOnly, Pic::kSelectionTile}}},
        };
        m_preview = {Ids::kExportPreview, 120, Pic::kOneImageTile, {}};
        m_selection = {kGraphicDetails, kGraphicOneFile, kGraphicSelection};
    }
    else
    {
        m_groups = {
            {Ids::kExportSelectTarget1,
             160,
             Pic::kOneCsvTile,
             {{kCsvOneFile, Ids::kExportOneFile, Pic::kOneCsvTile},
              {kCsvSeparate, Ids::kExportSeparateFiles, Pic::kSeparateCsvTile},
              {kCsvClipboard, Ids::kExportToClipboard, Pic::kClipboardTile}}},
            {Ids::kExportSelectData2,
             90,
             Pic::kAllDataTile,
             {{kCsvAll, Ids::kExportAllData, Pic::kAllDataTile},
              {kCsvSelection, Ids::kExportSelectionOnly, Pic::kSelectionTile}}},
        };
        m_preview = {Ids::kExportPreview, 120, Pic::kOneCsvTile, {}};
        m_selection = {kCsvOneFile, kCsvSelection};
    }
}

std::vector<unsigned> CExportOptions::BitmapIds() const
{
    std::vector<unsigned> ids;
    for (const SGroup& group : m_groups)
        for (const STile& tile : group.tiles)
            ids.push_back(tile.bitmapId);
    // The preview's strips and icons.
    for (unsigned id : {Pic::kPreviewGridHeading, Pic::kPreviewShadedHeading, Pic::kPreviewShadedDetails,
                        Pic::kPreviewWhiteDetails, Pic::kPreviewClipboardIcon})
        ids.push_back(id);
    if (m_kind == KIND_GRAPHIC)
    {
        ids.push_back(Pic::kPreviewWhiteHeading);
        ids.push_back(Pic::kPreviewImageIcon);
    }
    else
        ids.push_back(Pic::kPreviewCsvIcon);
    return ids;
}

int CExportOptions::GetSelection(int group) const
{
    if (group < 0 || static_cast<std::size_t>(group) >= m_selection.size())
        return -1;
    return m_selection[static_cast<std::size_t>(group)];
}

bool CExportOptions::Select(int group, int tile)
{
    if (group < 0 || static_cast<std::size_t>(group) >= m_groups.size())
        return false;
    for (const STile& candidate : m_groups[static_cast<std::size_t>(group)].tiles)
    {
        if (candidate.id == tile)
        {
            m_selection[static_cast<std::size_t>(group)] = tile;
            return true;
        }
    }
    return false;
}

NExportTarget CExportOptions::GetTarget() const
{
    const int tile = GetSelection(TargetGroup());
    const bool graphic = m_kind == KIND_GRAPHIC;
    if (tile == (graphic ? kGraphicOneFile : kCsvOneFile))
        return EXPORT_TARGET_ONE_FILE;
    if (tile == (graphic ? kGraphicClipboard : kCsvClipboard))
        return EXPORT_TARGET_CLIPBOARD;
    return EXPORT_TARGET_SEPARATE_FILES;
}

bool CExportOptions::IsAllData() const
{
    return GetSelection(DataGroup()) == (m_kind == KIND_GRAPHIC ? kGraphicAll : kCsvAll);
}

NExportContent CExportOptions::GetContent() const
{
    if (m_kind != KIND_GRAPHIC)
        return EXPORT_CONTENT_DETAILS;
    switch (GetSelection(0))
    {
    case kGraphicHeaders:
        return EXPORT_CONTENT_HEADERS;
    case kGraphicAsIs:
        return EXPORT_CONTENT_AS_IS;
    default:
        return EXPORT_CONTENT_DETAILS;
    }
}

unsigned CExportOptions::FallbackNameId() const
{
    return m_kind == KIND_GRAPHIC ? Ids::kExportFallbackGraphicName : Ids::kExportFallbackDataName;
}

std::wstring CExportOptions::DefaultExtension() const
{
    return m_kind == KIND_GRAPHIC ? L"png" : L"csv";
}

std::wstring CExportOptions::Wildcard() const
{
    std::wstring filter;
    auto add = [&](const auto& entries)
    {
        for (const SFilterEntry& entry : entries)
        {
            const std::wstring pattern = *entry.extension ? std::wstring(L"*.") + entry.extension : L"*.*";
            if (!filter.empty())
                filter += L"|";
            filter += Resources::CStringTable::Text(entry.labelId) + L" (" + pattern + L")|" + pattern;
        }
    };
    if (m_kind == KIND_GRAPHIC)
        add(kGraphicFilter);
    else
        add(kCsvFilter);
    return filter;
}

std::wstring CExportOptions::FilterExtension(int index) const
{
    auto pick = [index](const auto& entries) -> std::wstring
    {
        if (index < 0 || static_cast<std::size_t>(index) >= std::size(entries))
            return {};
        return entries[index].extension;
    };
    return m_kind == KIND_GRAPHIC ? pick(kGraphicFilter) : pick(kCsvFilter);
}

bool CExportOptions::Accept(const std::wstring& path, NImageFormat* format) const
{
    if (m_kind == KIND_GRAPHIC)
        return CExportFileName::AcceptGraphic(path, format);
    return CExportFileName::AcceptCsv(path);
}
