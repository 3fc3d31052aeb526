#pragma once
// The message boxes of the connection wizard and the device commands. Tests
// answer them through a hook instead of a person.

#include <wx/string.h>
#include <wx/window.h>

#include <functional>

class CConnectionMessage
{
public:
    enum NButtons : int
    {
        buttonsOk,
        buttonsYesNo,
        buttonsRetryCancel,
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
        answerYes,
        answerNo,
        answerRetry,
        answerCancel,
    };

    using THook = std::function<NAnswer(const wxString& text, NButtons buttons, NIcon icon)>;

    /// Shows a message box (or asks the hook) and returns the answer.
    static NAnswer Show(wxWindow* parent, const wxString& text, NButtons buttons, NIcon icon);
    /// A string-table text.
    static NAnswer Show(wxWindow* parent, unsigned textId, NButtons buttons, NIcon icon);
    /// Shows the box itself, whatever the hook.
    static NAnswer ShowDialog(wxWindow* parent, const wxString& text, NButtons buttons, NIcon icon);
    /// Replaces the boxes by the hook (an empty one brings them back).
    static void SetHook(THook hook);
};
