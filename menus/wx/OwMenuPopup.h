#pragma once
#include <vector>

#include <wx/eventfilter.h>
#include <wx/gdicmn.h>
#include <wx/weakref.h>
#include <wx/window.h>

#include "menus/OwMenu.h"
#include "menus/OwMenuColors.h"
#include "menus/OwMenuMetrics.h"
#include "menus/OwMenuPlacement.h"
#include "menus/OwMenuTracking.h"

class OwMenuWindow;
class wxEventLoopBase;

/// Shows an OwMenu as a popup and waits for the user's choice, as a popup
/// menu tracked for its command does. While it is open the menu holds the
/// pointer (a click outside dismisses it) and takes every key the program
/// receives: the arrows, Home, End, Return, Escape and the mnemonics. When
/// the owner is destroyed meanwhile (a close, a notification), tracking ends
/// without a choice.
///
///     const unsigned id = OwMenuPopup::Track(menu, this, ClientToScreen(point), NOwMenuAlign::Center);
///     if (id == 1) ...
class OwMenuPopup : private wxEventFilter
{
public:
    /// Opens `menu` at `screenPoint` over `owner` (the top window when null)
    /// and returns once it closes: the command of the chosen item, 0 when
    /// the menu was dismissed, is empty or another menu is open already.
    static unsigned Track(OwMenu& menu, wxWindow* owner, const wxPoint& screenPoint,
                          NOwMenuAlign align = NOwMenuAlign::Left);

    /// The menu being tracked, null when none is (tests look in through it).
    static OwMenuPopup* GetActive() { return s_active; }
    int GetLevelCount() const { return static_cast<int>(m_windows.size()); }
    /// The window of open menu `level` (0 the tracked menu, then its open sub-menus).
    OwMenuWindow* GetWindow(int level) const { return m_windows[static_cast<std::size_t>(level)].get(); }
    /// What the user did so far.
    const OwMenuTracking& GetTracking() const { return m_tracking; }
    /// Closes the menu without a choice.
    void Dismiss();

private:
    OwMenuPopup(OwMenu& menu, wxWindow* owner);
    ~OwMenuPopup() override;

    unsigned Run(const wxPoint& screenPoint, NOwMenuAlign align);
    int FilterEvent(wxEvent& event) override;
    void HandleMouse(const wxMouseEvent& event);
    void HandleKey(const wxKeyEvent& event);
    /// The open level and item at a screen point; level -1 outside every menu.
    void HitTest(const wxPoint& screen, int& level, int& item) const;
    /// Brings the windows in line with the tracking: opens and closes
    /// sub-menus, moves the selections, ends the loop once done.
    void Sync();
    OwMenuWindow* OpenWindow(OwMenu& menu);
    void CloseFrom(std::size_t level);
    /// The owner is being destroyed, and the menu windows with it.
    void OwnerGoing();
    wxRect WorkArea(const wxPoint& point) const;

    OwMenuTracking m_tracking;
    // Weak: the owner, and the menu windows as its children, may be destroyed
    // by whatever the nested event loop runs.
    wxWeakRef<wxWindow> m_owner;
    SOwMenuColors m_colors;
    SOwMenuMetrics m_metrics;
    std::vector<wxWeakRef<OwMenuWindow>> m_windows;
    wxEventLoopBase* m_loop = nullptr;

    static inline OwMenuPopup* s_active = nullptr;
};
