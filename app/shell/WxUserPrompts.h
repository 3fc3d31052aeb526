#pragma once
// The real message boxes and file dialogs.

#include "app/shell/UserPrompts.h"

class CWxUserPrompts : public CUserPrompts
{
public:
    int ShowMessage(wxWindow* owner, const wxString& text, const wxString& caption, long style) override;
    bool ChooseFile(wxWindow* owner, const SFileRequest& request, wxString* path) override;
};
