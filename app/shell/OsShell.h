#pragma once
// What the program asks of the desktop: open a web address or a document
// with its default application. Tests replace it, so no browser or viewer
// starts under them.

#include <wx/string.h>

class COsShell
{
public:
    virtual ~COsShell() = default;
    /// Opens a web address in the default browser; false when none started.
    virtual bool OpenUrl(const wxString& url) = 0;
    /// Opens a file with its default application; false when none started.
    virtual bool OpenDocument(const wxString& path) = 0;
};
