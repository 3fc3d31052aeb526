#pragma once
// Every message box and file dialog of the program behind one interface, so
// that GUI tests answer them without a modal loop. A box is asked by kind
// (which buttons, which icon) and belongs to the window that asks: a box
// owned by another window while a modal one is open leaves the modal one
// underneath it once the box goes. CWxUserPrompts shows the real dialogs.

#include <wx/string.h>

class wxWindow;

class CUserPrompts
{
public:
    enum NButtons : int
    {
        buttonsOk,
        buttonsOkCancel,
        buttonsYesNo,
        buttonsYesNoCancel,
        buttonsRetryCancel,
        buttonsAbortRetryIgnore,
    };
    enum NIcon : int
    {
        iconInformation,
        iconExclamation,
        iconQuestion,
        iconError,
    };
    enum NAnswer : int
    {
        answerOk,
        answerCancel,
        answerYes,
        answerNo,
        answerRetry,
        answerAbort,
        answerIgnore,
    };

    struct SMessage
    {
        wxString text;
        wxString caption;
        NButtons buttons = buttonsOk;
        NIcon icon = iconInformation;
    };

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

    /// A message box owned by owner (the window that asks); the answer is one
    /// of the box's buttons, closing it counts as its last button.
    virtual NAnswer ShowMessage(wxWindow* owner, const SMessage& message) = 0;
    /// A file dialog; false when the user cancels.
    virtual bool ChooseFile(wxWindow* owner, const SFileRequest& request, wxString* path) = 0;

    /// A box with the program's title as its caption.
    NAnswer Ask(wxWindow* owner, const wxString& text, NButtons buttons, NIcon icon);
    /// The same with a string-table text.
    NAnswer Ask(wxWindow* owner, unsigned textId, NButtons buttons, NIcon icon);
};
