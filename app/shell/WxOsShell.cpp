#include "app/shell/WxOsShell.h"

#include <wx/mimetype.h>
#include <wx/utils.h>

bool CWxOsShell::OpenUrl(const wxString& url)
{
    return wxLaunchDefaultBrowser(url);
}

bool CWxOsShell::OpenDocument(const wxString& path)
{
    return wxLaunchDefaultApplication(path);
}
