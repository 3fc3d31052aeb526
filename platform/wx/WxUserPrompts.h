#pragma once
// The real message boxes and file dialogs. The box is a wxMessageDialog
// owned by the window the caller names, never by another one in its place.

#include "platform/wx/UserPrompts.h"

class CWxUserPrompts : public CUserPrompts
{
public:
    /// The wx button and icon flags of a kind of box: the one place where
    /// kinds become styles. Retry/Cancel is an OK/Cancel box and
    /// Abort/Retry/Ignore a Yes/No/Cancel box, relabelled.
    static long Style(NButtons buttons, NIcon icon);
    /// The answer a box of those buttons gave when it returned result (wxID_...).
    static NAnswer AnswerOf(NButtons buttons, int result);

    NAnswer ShowMessage(wxWindow* owner, const SMessage& message) override;
    bool ChooseFile(wxWindow* owner, const SFileRequest& request, wxString* path) override;
};
