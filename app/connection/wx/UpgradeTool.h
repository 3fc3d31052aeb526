#pragma once
// The firmware-upgrade tool: "VnUpgrade" beside the program, run while the
// program waits for it, and the message when it is missing or does not
// start. The device command and the main frame both go through it.

#include "app/connection/UpgradeToolPath.h"

#include <wx/string.h>

class CUserPrompts;
class wxWindow;

class CUpgradeTool
{
public:
    /// The tool beside the running program.
    CUpgradeTool();
    /// The tool in programFolder (the folder of the program's file).
    explicit CUpgradeTool(const wxString& programFolder);

    wxString GetPath() const { return wxString(m_path.Get()); }
    /// Runs the tool and waits until it ends; the user-interface thread stays
    /// blocked meanwhile, as the tool needs the port and the instrument to
    /// itself. False when it is missing or did not start.
    bool Run() const;
    /// Tells the user through prompts, over parent, that the tool could not
    /// be started, with its path.
    void ShowNotStarted(CUserPrompts& prompts, wxWindow* parent) const;

private:
    CUpgradeToolPath m_path;
};
