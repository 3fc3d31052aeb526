#include "app/shell/WxUserPrompts.h"

#include <wx/filedlg.h>
#include <wx/msgdlg.h>

int CWxUserPrompts::ShowMessage(wxWindow* owner, const wxString& text, const wxString& caption, long style)
{
    wxMessageDialog dialog(owner, text, caption, style);
    const int result = dialog.ShowModal();
    return result == wxID_NONE ? wxID_CANCEL : result;
}

bool CWxUserPrompts::ChooseFile(wxWindow* owner, const SFileRequest& request, wxString* path)
{
    long style = request.save ? wxFD_SAVE : (wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (request.save && request.overwritePrompt)
        style |= wxFD_OVERWRITE_PROMPT;
    wxFileDialog dialog(owner, wxFileSelectorPromptStr, wxEmptyString, request.initialName, request.wildcard,
                        style);
    if (dialog.ShowModal() != wxID_OK)
        return false;
    wxString chosen = dialog.GetPath();
    // A name typed without an extension gets the default one, as on Windows.
    if (request.save && !request.defaultExtension.empty() && chosen.AfterLast(L'/').Find(L'.') == wxNOT_FOUND)
        chosen += L"." + request.defaultExtension;
    *path = chosen;
    return true;
}
