#pragma once
// An empty page of the tab sheet: the place of a measurement page until its
// view exists. It handles no page message.

#include <wx/panel.h>

class CTabPageShell : public wxPanel
{
public:
    explicit CTabPageShell(wxWindow* parent);
};
