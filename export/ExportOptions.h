#pragma once
// The choices of an export dialog as plain state: its option groups with
// their tiles (an illustration and a caption each), the chosen tile of each
// group, and the results the series page reads. The dialog windows draw
// and click on this; tests drive it without a display.

#include "export/ExportTypes.h"

#include <string>
#include <vector>

class CExportOptions
{
public:
    enum NKind
    {
        KIND_GRAPHIC,
        KIND_CSV,
    };

    /// One clickable tile.
    struct STile
    {
        int id = 0;
        unsigned captionId = 0;
        unsigned bitmapId = 0;
    };
    /// One group of tiles under a heading, or the preview (no tiles).
    struct SGroup
    {
        unsigned headingId = 0;
        /// The group's width parameter.
        int width = 0;
        /// The bitmap whose width enters the group's width.
        unsigned referenceBitmapId = 0;
        std::vector<STile> tiles;
    };

    /// The dialog's groups with their defaults chosen.
    explicit CExportOptions(NKind kind);

    NKind GetKind() const { return m_kind; }
    const std::vector<SGroup>& Groups() const { return m_groups; }
    const SGroup& Preview() const { return m_preview; }
    /// Every bitmap the dialog draws: the tiles' and the preview's.
    std::vector<unsigned> BitmapIds() const;

    /// The chosen tile id of a group (-1 for a group it does not have).
    int GetSelection(int group) const;
    /// Makes tile the chosen one of its group; false (nothing changed) for a
    /// tile that group does not hold.
    bool Select(int group, int tile);

    NExportTarget GetTarget() const;
    bool IsAllData() const;
    /// Graphic dialog only (the CSV dialog answers "headers and details").
    NExportContent GetContent() const;

    // The Save dialog.
    /// The initial name when the caller gave none.
    unsigned FallbackNameId() const;
    std::wstring DefaultExtension() const;
    /// The Save dialog's file types, "label (*.ext)|*.ext|...", with the
    /// labels from the string table.
    std::wstring Wildcard() const;
    /// The extension of the filter's entry (0-based), "" for "all files".
    std::wstring FilterExtension(int index) const;
    /// Whether the chosen path ends the dialog; format (graphic dialog) then
    /// holds the format of its ending.
    bool Accept(const std::wstring& path, NImageFormat* format) const;

private:
    int TargetGroup() const { return m_kind == KIND_GRAPHIC ? 1 : 0; }
    int DataGroup() const { return m_kind == KIND_GRAPHIC ? 2 : 1; }

    NKind m_kind;
    std::vector<SGroup> m_groups;
    SGroup m_preview;
    std::vector<int> m_selection;
};
