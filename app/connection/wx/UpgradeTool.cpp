#include "app/connection/wx/UpgradeTool.h"

#include "platform/wx/UserPrompts.h"

#include <wx/filename.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

namespace
{

wxString RunningProgramFolder()
{
    return wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath();
}

} // namespace

CUpgradeTool::CUpgradeTool() : CUpgradeTool(RunningProgramFolder())
{
}

CUpgradeTool::CUpgradeTool(const wxString& programFolder) : m_path(programFolder.ToStdWstring())
{
}

bool CUpgradeTool::Run() const
{
    if (!m_path.IsRunnable())
        return false;
    // The path as one argument: no shell, no splitting at blanks or quotes.
    const std::wstring& path = m_path.Get();
    const wchar_t* const argv[] = {path.c_str(), nullptr};
    return wxExecute(argv, wxEXEC_BLOCK) != -1;
}

void CUpgradeTool::ShowNotStarted(CUserPrompts& prompts, wxWindow* parent) const
{
    prompts.Ask(parent, wxString(m_path.NotStartedMessage()), CUserPrompts::buttonsOk,
                CUserPrompts::iconExclamation);
}
