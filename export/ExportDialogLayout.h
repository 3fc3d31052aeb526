#pragma once
// Where an export dialog draws its option groups, tiles and preview pages:
// computed once from the bitmaps' sizes and the font's text extents, so the
// window's paint only draws what this says and tests check the arithmetic
// without a display. Rectangles are in client coordinates; `rect` of a tile
// includes its right and bottom edge (as the click test does), the other
// rectangles exclude them (as fills do).

#include "export/ExportOptions.h"
#include "grid/GridTypes.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

class CExportDialogLayout
{
public:
    static constexpr int kMargin = 4;
    static constexpr int kInset = 7; ///< the bitmap's distance from a tile's top
    static constexpr int kFirstX = 10;
    static constexpr int kTop = 10;
    static constexpr int kGroupGap = 5;
    static constexpr int kFrameTop = 7;
    static constexpr int kFrameBottom = 300;
    static constexpr int kFrameOutset = 3;
    static constexpr int kPreviewTop = 100;
    static constexpr int kStripWidth = 52;
    static constexpr int kPageStep = 65;

    using TBitmapSize = std::function<SGridSize(unsigned id)>;
    using TTextExtent = std::function<SGridSize(const std::wstring& text)>;

    struct SGroup
    {
        int x = 0;
        /// The heading's width, which the group's tiles and frame follow.
        int width = 0;
        /// The heading's filled rectangle; its bottom line lies on heading.bottom.
        SGridRect heading;
        SGridPoint headingTextAt;
        std::wstring headingText;
        SGridRect frame;
    };
    struct STile
    {
        int group = 0;
        int id = 0;
        unsigned bitmapId = 0;
        /// The highlight and click area, right and bottom edge included.
        SGridRect rect;
        SGridPoint bitmapAt;
        std::wstring line1, line2;
        SGridPoint line1At, line2At;
    };
    struct SPlacedBitmap
    {
        unsigned id = 0;
        SGridPoint at;
        bool transparent = false;
        friend bool operator==(const SPlacedBitmap&, const SPlacedBitmap&) = default;
    };
    struct SHighlight
    {
        TGridColor top = 0;
        TGridColor bottom = 0;
        TGridColor border = 0;
    };

    /// Lays out the options' groups, tiles and preview heading with the
    /// captions of the string table; extent measures in the regular font,
    /// headingExtent in the headings' bold one (none: the regular one). The
    /// groups are at least as wide as their given widths, wider where their
    /// heading or their captions need it; tiles grow taller for a caption
    /// taller than their bitmap, and the frames reach below the lowest tile,
    /// so no font cuts a text off.
    CExportDialogLayout(const CExportOptions& options, const TBitmapSize& bitmapSize,
                        const TTextExtent& extent, const TTextExtent& headingExtent = {});

    /// The option groups, then the preview group last.
    const std::vector<SGroup>& Groups() const { return m_groups; }
    const std::vector<STile>& Tiles() const { return m_tiles; }
    /// Half the height of "A" plus 2: how far a caption rises above the bitmap's middle.
    int TextOffset() const { return m_textOffset; }
    /// What the drawing needs: the frames and a margin beyond them.
    SGridSize ClientSize() const;

    /// The preview pages of the options' current choices, each bitmap where
    /// it is drawn, in drawing order.
    std::vector<SPlacedBitmap> PreviewPages(const CExportOptions& options) const;
    /// How many pages the preview shows.
    static int PreviewPageCount(const CExportOptions& options);

    /// Splits a caption into two lines for a line limit of `limit`
    /// characters, breaking after the word that crosses the limit.
    static std::pair<std::wstring, std::wstring> SplitCaption(const std::wstring& text, int limit);
    /// The colours of a tile that is hovered, chosen or both.
    static SHighlight Highlight(bool hovered, bool chosen);

private:
    void AddGroup(const CExportOptions::SGroup& spec, int index, int* x);
    int WidestCharacter(const std::wstring& text) const;
    /// A line's width without its trailing blanks.
    int LineWidth(const std::wstring& line) const;
    /// A caption split for `room` pixels: as many characters as the widest one fits.
    std::pair<std::wstring, std::wstring> Caption(const std::wstring& text, int room) const;
    /// The least room from `room` on in which both lines of the caption fit.
    int CaptionRoom(const std::wstring& text, int room) const;

    TBitmapSize m_bitmapSize;
    TTextExtent m_extent;
    TTextExtent m_headingExtent;
    int m_textHeight = 0;
    int m_textOffset = 0;
    int m_previewTop = kPreviewTop;
    std::vector<SGroup> m_groups;
    std::vector<STile> m_tiles;
};
