#pragma once
// What the two export dialogs share: a dialog that draws its whole client
// area itself (option groups of clickable tiles and a preview of the pages
// the choices produce), highlights the tile under the pointer and the chosen
// tile of each group, and asks for the target file with a Save dialog when
// "Export" is pressed, unless the target is the clipboard. The choices are
// plain state (CExportOptions); where things go is CExportDialogLayout.

#include "drawing/SensitiveArea.h"
#include "export/ExportDialogLayout.h"
#include "export/ExportOptions.h"
#include "export/wx/DibSectionNP.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

#include <wx/dialog.h>

class CExportDialogBase : public wxDialog
{
public:
    /// What the Save dialog is shown with.
    struct SFileRequest
    {
        std::wstring initialName;
        std::wstring defaultExtension;
        /// A wx wildcard: "label|pattern|label|pattern".
        std::wstring wildcard;
    };
    /// Answers in place of the user while set (tests).
    struct STestHooks
    {
        /// Runs in place of the modal loop; returns the end code (the hook
        /// may click tiles and press Export first).
        std::function<int(CExportDialogBase& dialog)> modal;
        /// Answers the Save dialog: false cancels; else the chosen path and
        /// the chosen filter entry (0-based).
        std::function<bool(const SFileRequest& request, std::wstring* path, int* filterIndex)> saveFile;
        /// Answers whether an existing file may be replaced.
        std::function<bool(const std::wstring& question)> confirmReplace;
    };
    static void SetTestHooks(STestHooks hooks);

    /// The initial name the Save dialog offers.
    void SetFilePath(const std::wstring& path) { m_path = path; }
    /// The chosen full path after wxID_OK with a file target.
    std::wstring GetFilePath() const { return m_path; }
    NExportTarget GetTarget() const { return m_options.GetTarget(); }
    bool IsAllData() const { return m_options.IsAllData(); }

    /// The modal run: wxID_OK after "Export" (with an accepted file unless
    /// the target is the clipboard), wxID_CANCEL from "Cancel" or the close box.
    int RunModal();

    // The window's inner workings, open to the window tests.
    /// Draws the whole client area into dc and registers the tiles' areas.
    void Render(wxDC& dc);
    /// A pointer move to point (client coordinates).
    void PointerAt(const wxPoint& point);
    /// A left-button press at point.
    void PressAt(const wxPoint& point);
    /// The "Export" button.
    void Export();
    int GetHover() const { return m_hover; }
    const CExportOptions& Options() const { return m_options; }
    const CExportDialogLayout& Layout() const { return *m_layout; }
    /// The middle of a tile's area, for clicks (-1, -1 when there is none).
    wxPoint TileCentre(int tileId) const;

protected:
    CExportDialogBase(wxWindow* parent, CExportOptions::NKind kind, unsigned captionId);
    /// The accepted file's format (the graphic dialog keeps it).
    virtual void Accepted(NImageFormat /*format*/) {}
    CExportOptions m_options;

private:
    static constexpr int kFontPoints = 8;

    wxFont HeadingFont() const;
    void OnPaint(wxPaintEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void DrawGroup(wxDC& dc, const CExportDialogLayout::SGroup& group, const wxFont& bold);
    void DrawTile(wxDC& dc, const CExportDialogLayout::STile& tile);
    /// The Save dialog (or its hook); false when cancelled.
    bool AskFile(std::wstring* path);
    bool ConfirmReplace(const std::wstring& path);
    void Finish(int code);

    std::map<unsigned, std::unique_ptr<CDibSectionNP>> m_bitmaps;
    std::unique_ptr<CExportDialogLayout> m_layout;
    CSensitiveArea m_areas;
    int m_hover = -1;
    int m_lastHover = -1;
    std::wstring m_path;
};
