#pragma once
#include <wx/dnd.h>

class CGridCtrl;

/// The grid window's drop target: it hands every drag of text over the grid
/// to the grid (CGridCore::OnDragEnter and the rest), which refuses them all
/// while its drag-and-drop is off.
class CGridDropTarget : public wxDropTarget
{
public:
    CGridDropTarget();

    /// Attaches the target to `window` when it is a grid and none is being
    /// attached meanwhile; the window then owns the target. Nothing when
    /// already registered.
    bool Register(wxWindow* window);
    /// Stops taking drags: until registered again the target answers none.
    void Revoke() { m_registered = false; }
    bool IsRegistered() const { return m_registered; }

    wxDragResult OnEnter(wxCoord x, wxCoord y, wxDragResult def) override;
    wxDragResult OnDragOver(wxCoord x, wxCoord y, wxDragResult def) override;
    void OnLeave() override;
    bool OnDrop(wxCoord x, wxCoord y) override;
    wxDragResult OnData(wxCoord x, wxCoord y, wxDragResult def) override;

private:
    /// Whether the drag offers text (only while a drag is over the window).
    bool OffersText();
    wxDragResult Answer(unsigned effect);

    CGridCtrl* m_grid = nullptr;
    bool m_registered = false;
    /// What the grid last answered for the drag over it.
    wxDragResult m_lastResult = wxDragNone;

    /// A registration is running (the window's size events may nest).
    static bool s_registering;
};
