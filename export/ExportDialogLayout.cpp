#include "export/ExportDialogLayout.h"

#include "resources/ExportIllustrations.h"
#include "resources/StringTable.h"

#include <algorithm>

namespace
{
using Pic = Resources::CExportIllustrations;
} // namespace

CExportDialogLayout::CExportDialogLayout(const CExportOptions& options, const TBitmapSize& bitmapSize,
                                         const TTextExtent& extent, const TTextExtent& headingExtent)
    : m_bitmapSize(bitmapSize), m_extent(extent), m_headingExtent(headingExtent ? headingExtent : extent)
{
    m_textHeight = m_extent(L"A").cy;
    m_textOffset = m_textHeight / 2 + 2;
    int x = kFirstX;
    int index = 0;
    for (const CExportOptions::SGroup& group : options.Groups())
        AddGroup(group, index++, &x);
    AddGroup(options.Preview(), index, &x);

    // The frames reach down together, past the lowest tile when a large font made the tiles taller.
    int bottom = kFrameBottom;
    for (const STile& tile : m_tiles)
        bottom = std::max(bottom, tile.rect.bottom + 1 + kFrameOutset);
    for (SGroup& group : m_groups)
        group.frame.bottom = bottom;
    m_previewTop = std::max(kPreviewTop, m_groups.back().heading.bottom + 3 * kMargin);
}

int CExportDialogLayout::WidestCharacter(const std::wstring& text) const
{
    int widest = 0;
    for (wchar_t ch : text)
        widest = std::max(widest, m_extent(std::wstring(1, ch)).cx);
    return widest;
}

int CExportDialogLayout::LineWidth(const std::wstring& line) const
{
    const std::size_t end = line.find_last_not_of(L' ');
    return end == std::wstring::npos ? 0 : m_extent(line.substr(0, end + 1)).cx;
}

std::pair<std::wstring, std::wstring> CExportDialogLayout::Caption(const std::wstring& text, int room) const
{
    const int widest = WidestCharacter(text);
    const int limit = widest > 0 ? room / widest : static_cast<int>(text.size());
    return SplitCaption(text, limit);
}

int CExportDialogLayout::CaptionRoom(const std::wstring& text, int room) const
{
    // The widest character sets how many fit, and the word that crosses the
    // limit stays on the first line: with another font that line or the
    // second may not fit the room, which then grows to what they need. A
    // room the whole caption fits in holds either line, so this ends.
    for (;;)
    {
        const auto [line1, line2] = Caption(text, room);
        const int need = std::max(LineWidth(line1), LineWidth(line2));
        if (need <= room)
            return room;
        room = need;
    }
}

void CExportDialogLayout::AddGroup(const CExportOptions::SGroup& spec, int index, int* x)
{
    SGroup group;
    group.x = *x;
    int y = kTop;
    const int referenceWidth = m_bitmapSize(spec.referenceBitmapId).cx;
    group.headingText = Resources::CStringTable::Text(spec.headingId);
    const SGridSize headingText = m_headingExtent(group.headingText);

    // The widths given for the groups are the least they take; their
    // heading and the captions beside their tiles widen them as they need.
    int width = spec.width + kMargin + referenceWidth + 1;
    width = std::max(width, kMargin + headingText.cx + kMargin);
    // Every tile of a group has the same room for its caption.
    const int chrome = 1 + referenceWidth + 2 * kMargin;
    for (bool settled = false; !settled;)
    {
        settled = true;
        for (const CExportOptions::STile& tile : spec.tiles)
        {
            const std::wstring caption = Resources::CStringTable::Text(tile.captionId);
            const int room = CaptionRoom(caption, width - chrome);
            if (room > width - chrome)
            {
                width = room + chrome;
                settled = false; // a wider room may split the others differently
            }
        }
    }

    const int headingHeight = std::max(m_textHeight, headingText.cy);
    group.heading = {group.x, y, group.x + width, y + 2 * kMargin + headingHeight};
    group.width = width;
    group.headingTextAt = {group.x + kMargin, y + kMargin};
    y += headingHeight + 3 * kMargin;

    for (const CExportOptions::STile& spec_tile : spec.tiles)
    {
        const SGridSize bitmap = m_bitmapSize(spec_tile.bitmapId);
        STile tile;
        tile.group = index;
        tile.id = spec_tile.id;
        tile.bitmapId = spec_tile.bitmapId;
        tile.rect = {group.x, y, group.x + group.width - 1 - referenceWidth + bitmap.cx,
                     y + bitmap.cy + 2 * kInset};
        tile.bitmapAt = {group.x, y + kInset};
        // The caption beside the bitmap, on two lines when it is too long for the room left.
        const std::wstring caption = Resources::CStringTable::Text(spec_tile.captionId);
        std::tie(tile.line1, tile.line2) = Caption(caption, tile.rect.Width() - 2 * kMargin - bitmap.cx);
        const int left = group.x + bitmap.cx + kMargin;
        tile.line1At = {left, std::max(y + kMargin, y + kInset + bitmap.cy / 2 - m_textOffset)};
        const int line2Drop = tile.line2.empty() ? 0 : m_extent(tile.line2.substr(0, 1)).cy;
        tile.line2At = {left, tile.line1At.y + line2Drop};
        // A caption taller than the bitmap makes the tile taller.
        const int textBottom = tile.line2.empty() ? tile.line1At.y + m_extent(tile.line1).cy
                                                  : tile.line2At.y + m_extent(tile.line2).cy;
        tile.rect.bottom = std::max(tile.rect.bottom, textBottom + kMargin);
        m_tiles.push_back(tile);
        y = tile.rect.bottom + kMargin;
    }

    group.frame = {group.x - kFrameOutset, kFrameTop, group.x + group.width + kFrameOutset, kFrameBottom};
    m_groups.push_back(group);
    *x = group.x + group.width + kGroupGap;
}

SGridSize CExportDialogLayout::ClientSize() const
{
    if (m_groups.empty())
        return {kFirstX, kFrameBottom + kFirstX};
    return {m_groups.back().frame.right + kFirstX, m_groups.back().frame.bottom + kFirstX};
}

int CExportDialogLayout::PreviewPageCount(const CExportOptions& options)
{
    if (options.GetTarget() != EXPORT_TARGET_SEPARATE_FILES)
        return 1;
    return options.IsAllData() ? 3 : 2;
}

std::vector<CExportDialogLayout::SPlacedBitmap>
CExportDialogLayout::PreviewPages(const CExportOptions& options) const
{
    std::vector<SPlacedBitmap> placed;
    if (m_groups.empty())
        return placed;
    const SGroup& preview = m_groups.back();
    const int pages = PreviewPageCount(options);
    const NExportTarget target = options.GetTarget();
    const bool separate = target == EXPORT_TARGET_SEPARATE_FILES;
    const bool graphic = options.GetKind() == CExportOptions::KIND_GRAPHIC;
    const NExportContent content = options.GetContent();
    const bool all = options.IsAllData();

    int x = preview.x + preview.width / (pages + 1) - (kStripWidth + 8) / 2;
    for (int page = 0; page < pages; ++page, x += kPageStep)
    {
        int y = m_previewTop;
        auto strip = [&](unsigned id)
        {
            placed.push_back({id, {x, y}, false});
            y += m_bitmapSize(id).cy;
        };
        // One object per page for separate files, else three (four with "All").
        const int objects = separate ? 1 : 3;
        strip(Pic::kPreviewGridHeading);
        if (graphic && content == EXPORT_CONTENT_HEADERS)
        {
            for (int i = 0; i < objects; ++i)
                strip(Pic::kPreviewShadedHeading);
        }
        else if (graphic && content == EXPORT_CONTENT_AS_IS)
        {
            strip(Pic::kPreviewShadedHeading);
            if (!separate)
            {
                strip(Pic::kPreviewShadedHeading); // the middle object expanded
                strip(Pic::kPreviewShadedDetails);
                strip(Pic::kPreviewShadedHeading);
            }
            else if (page == 1)
                strip(Pic::kPreviewShadedDetails);
        }
        else
        {
            for (int i = 0; i < objects; ++i)
            {
                strip(Pic::kPreviewShadedHeading);
                strip(Pic::kPreviewShadedDetails);
            }
        }
        if (all && !separate)
        {
            if (graphic && content == EXPORT_CONTENT_HEADERS)
                strip(Pic::kPreviewWhiteHeading);
            else
            {
                strip(Pic::kPreviewShadedHeading);
                strip(Pic::kPreviewWhiteDetails);
            }
        }
        const bool clipboard = target == EXPORT_TARGET_CLIPBOARD;
        const unsigned icon = clipboard ? Pic::kPreviewClipboardIcon
                              : graphic ? Pic::kPreviewImageIcon
                                        : Pic::kPreviewCsvIcon;
        placed.push_back({icon, {x - 5, y - 20}, clipboard || !graphic});
    }
    return placed;
}

std::pair<std::wstring, std::wstring> CExportDialogLayout::SplitCaption(const std::wstring& text, int limit)
{
    const std::size_t n = static_cast<std::size_t>(std::max(limit, 0));
    if (text.size() <= n)
        return {text, {}};
    std::size_t breakAt = 0;
    for (;;)
    {
        const std::size_t space = text.find(L' ', breakAt);
        if (space == std::wstring::npos)
            break;
        breakAt = space + 1;
        if (breakAt >= n)
            break;
    }
    if (breakAt == 0)
        breakAt = n;
    return {text.substr(0, breakAt), text.substr(breakAt)};
}

CExportDialogLayout::SHighlight CExportDialogLayout::Highlight(bool hovered, bool chosen)
{
    if (chosen && hovered)
        return {GridRgb(232, 246, 253), GridRgb(197, 232, 250), GridRgb(182, 230, 251)};
    if (chosen)
        return {GridRgb(240, 248, 253), GridRgb(213, 239, 252), GridRgb(153, 222, 253)};
    return {GridRgb(245, 250, 253), GridRgb(232, 246, 253), GridRgb(216, 240, 250)};
}
