#pragma once
// What the measurement pages need of the application: the chosen date and
// time patterns and its message boxes (which tests answer from a script).
// The child view implements it.

#include "platform/wx/UserPrompts.h"
#include "views/wx/ViewProgress.h"

#include <cstdint>
#include <memory>
#include <string>

class wxWindow;

class CViewServices
{
public:
    virtual ~CViewServices() = default;

    /// The "DTFormat" setting: date pattern in the second byte, time pattern in the first.
    virtual std::uint32_t GetDTFormat() const = 0;
    /// A message box of a string-table text owned by the main window.
    virtual CUserPrompts::NAnswer MessageBox(unsigned textId, CUserPrompts::NButtons buttons,
                                             CUserPrompts::NIcon icon) = 0;
    /// The same for a text made up by the page.
    virtual CUserPrompts::NAnswer MessageText(const std::wstring& text, CUserPrompts::NButtons buttons,
                                              CUserPrompts::NIcon icon) = 0;
    /// An error box with Abort, Retry and Ignore.
    virtual CUserPrompts::NAnswer AskAbortRetryIgnore(const std::wstring& text) = 0;
    /// Shows a modeless progress window owned by owner; it closes when the
    /// returned object is destroyed.
    virtual std::unique_ptr<CViewProgress> OpenProgress(wxWindow* owner) = 0;
};
