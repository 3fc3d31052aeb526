#pragma once
// What the measurement pages need of the application: the chosen date and
// time patterns and its message boxes (which tests answer from a script).
// The child view implements it.

#include <cstdint>

class CViewServices
{
public:
    virtual ~CViewServices() = default;

    /// The "DTFormat" setting: date pattern in the second byte, time pattern in the first.
    virtual std::uint32_t GetDTFormat() const = 0;
    /// A message box of a string-table text owned by the main window; style
    /// holds wx button and icon flags. Returns wxID_YES, wxID_NO, wxID_CANCEL or wxID_OK.
    virtual int MessageBox(unsigned textId, long style) = 0;
};
