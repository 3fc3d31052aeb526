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

bool CWxOsShell::RunAndWait(const wxString& program)
{
    const wxString quoted = L"\"" + program + L"\"";
    // -1 is wxExecute's "could not start"; any exit code means it ran.
    return wxExecute(quoted, wxEXEC_SYNC) != -1;
}
