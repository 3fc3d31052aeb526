#pragma once
// The desktop through wxWidgets: the default browser and application.

#include "app/shell/OsShell.h"

class CWxOsShell : public COsShell
{
public:
    bool OpenUrl(const wxString& url) override;
    bool OpenDocument(const wxString& path) override;
};
