#pragma once
// Gives the keyboard back, when it goes, to the window that held it when it
// was made, as the frame does after a modal dialog. A command that showed a
// progress window or disabled its page thus leaves the keys where the user
// had them.

#include <wx/window.h>

#include <wx/weakref.h> // after the window header, which brings in what it needs

class CFocusReturn
{
public:
    CFocusReturn();
    ~CFocusReturn();
    CFocusReturn(const CFocusReturn&) = delete;
    CFocusReturn& operator=(const CFocusReturn&) = delete;

private:
    wxWeakRef<wxWindow> m_window;
};
