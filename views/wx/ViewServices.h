#pragma once
// What the measurement pages need of the application: the chosen date and
// time patterns and its message boxes (which tests answer from a script).
// The child view implements it.

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
    /// A message box of a string-table text owned by the main window; style
    /// holds wx button and icon flags. Returns wxID_YES, wxID_NO, wxID_CANCEL or wxID_OK.
    virtual int MessageBox(unsigned textId, long style) = 0;
    /// The same for a text made up by the page.
    virtual int MessageText(const std::wstring& text, long style) = 0;
    /// An error box with Abort, Retry and Ignore; returns wxID_ABORT,
    /// wxID_RETRY or wxID_IGNORE.
    virtual int AskAbortRetryIgnore(const std::wstring& text) = 0;
    /// Shows a modeless progress window owned by owner; it closes when the
    /// returned object is destroyed.
    virtual std::unique_ptr<CViewProgress> OpenProgress(wxWindow* owner) = 0;
};
