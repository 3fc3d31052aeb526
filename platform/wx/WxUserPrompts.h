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
    /// A name typed without an extension gets the default one. The dialog
    /// asked about replacing the name as typed only, so replacing an existing
    /// file of the completed name is asked here; No chooses nothing.
    bool ChooseFile(wxWindow* owner, const SFileRequest& request, wxString* path) override;

protected:
    /// The file dialog itself; false when the user cancels.
    virtual bool ShowFileDialog(wxWindow* owner, const SFileRequest& request, wxString* path);
};
