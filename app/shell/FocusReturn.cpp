#include "app/shell/FocusReturn.h"

#include <wx/toplevel.h>

CFocusReturn::CFocusReturn() : m_window(wxWindow::FindFocus())
{
}

CFocusReturn::~CFocusReturn()
{
    wxWindow* window = m_window.get();
    if (!window || wxWindow::FindFocus() == window)
        return;
    wxWindow* top = wxGetTopLevelParent(window);
    if (!top || top->IsBeingDeleted() || window->IsBeingDeleted())
        return;
    // A window elsewhere that took the keys on purpose keeps them.
    if (wxWindow* now = wxWindow::FindFocus())
        if (wxWindow* nowTop = wxGetTopLevelParent(now);
            nowTop && nowTop != top && nowTop->IsShown() && !nowTop->IsBeingDeleted())
            return;
    if (window->IsShownOnScreen() && window->IsEnabled())
        window->SetFocus();
}
