#pragma once
// What the program asks of the desktop: open a web address or a document
// with its default application, and run a program and wait for it. Tests
// replace it, so no browser or tool starts under them.

#include <wx/string.h>

class COsShell
{
public:
    virtual ~COsShell() = default;
    /// Opens a web address in the default browser; false when none started.
    virtual bool OpenUrl(const wxString& url) = 0;
    /// Opens a file with its default application; false when none started.
    virtual bool OpenDocument(const wxString& path) = 0;
    /// Runs a program and waits until it ends; false when it did not start.
    virtual bool RunAndWait(const wxString& program) = 0;
};
