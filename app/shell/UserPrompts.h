#pragma once
// The application's message boxes and file dialogs behind one interface, so
// that GUI tests answer them without a modal loop. CWxUserPrompts shows the
// real dialogs.

#include <wx/string.h>

class wxWindow;

class CUserPrompts
{
public:
    /// What a file dialog is shown with (wildcard in wx form).
    struct SFileRequest
    {
        wxString defaultExtension;
        wxString initialName;
        wxString wildcard;
        bool save = false;
        bool overwritePrompt = false;
    };

    virtual ~CUserPrompts() = default;

    /// A message box; style holds wx button and icon flags (wxOK, wxYES_NO,
    /// wxCANCEL, wxICON_...). Returns wxID_OK, wxID_CANCEL, wxID_YES or wxID_NO.
    virtual int ShowMessage(wxWindow* owner, const wxString& text, const wxString& caption, long style) = 0;
    /// A file dialog; false when the user cancels.
    virtual bool ChooseFile(wxWindow* owner, const SFileRequest& request, wxString* path) = 0;
};
