#pragma once
#include <wx/bitmap.h>
#include <wx/popupwin.h>

#include "menus/OwMenu.h"
#include "menus/OwMenuLayout.h"

/// One open menu on the screen: a borderless popup that measures its menu
/// and paints it through the menus' own drawing. It takes no input itself;
/// OwMenuPopup holds the pointer and the keyboard and tells it what is
/// selected.
class OwMenuWindow : public wxPopupWindow
{
public:
    OwMenuWindow(wxWindow* parent, OwMenu& menu, const SOwMenuColors& colors, const SOwMenuMetrics& metrics);

    /// The menu shown; null once detached.
    OwMenu* GetMenu() const { return m_menu; }
    const OwMenuLayout& GetLayout() const { return m_layout; }
    int GetSelection() const { return m_selection; }
    /// Selects `item` (-1 none) and repaints when that changes anything.
    void SetSelection(int item);
    /// Forgets the menu, which may go before the window does.
    void Detach();
    /// Item `item` in screen coordinates.
    wxRect GetItemScreenRect(int item) const;

    /// The face of `menu` with `selected` selected, as a window shows it.
    static wxBitmap Render(OwMenu& menu, int selected, const SOwMenuColors& colors,
                           const SOwMenuMetrics& metrics);

private:
    static OwMenuLayout Measure(OwMenu& menu, const SOwMenuMetrics& metrics);
    static void PaintFace(wxDC& dc, const OwMenuLayout& layout, OwMenu& menu, int selected,
                          const SOwMenuColors& colors);
    void HandlePaint(wxPaintEvent& event);

    OwMenu* m_menu;
    SOwMenuColors m_colors;
    OwMenuLayout m_layout;
    int m_selection = -1;
};
