#pragma once
// What the connection's GUI tests share: wxWidgets and the device worker
// started once for the executable, message boxes answered from a script, the
// wizard driven through its observer, and screenshots for the artefacts.

#include "app/connection/wx/DevSelectSheet.h"
#include "tests/support/ScreenImage.h"
#include "tests/support/ScriptedPrompts.h"

#include <wx/string.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

class wxWindow;

namespace ConnectionTest
{

using TerrionTest::CScriptedPrompts;
using TerrionTest::ScreenImage;

/// Drives the connection wizard: Next on the port page, then Finish when
/// the search found something, Cancel when it found nothing. Counts pages.
class CWizardDriver
{
public:
    CWizardDriver();
    ~CWizardDriver();

    int PagesShown() const { return m_nPagesShown; }
    int SearchesEnded() const { return m_nSearches; }
    /// Called on every page shown; true when it took the page's action itself.
    std::function<bool(CDevSelectSheet&)> onPage;
    /// Called when a search has ended, before Finish or Cancel is pressed.
    std::function<void(CDevSelectSheet&)> onSearchEnded;
    /// Replaces the driver's action when the search page shows (for example Cancel).
    std::function<void(CDevSelectSheet&)> onSearchPage;

private:
    int m_nPagesShown = 0;
    int m_nSearches = 0;
};

/// Saves a window's on-screen pixels as a PNG in the build folder.
void SaveScreenshot(wxWindow* window, const std::string& name);
/// Lets the main loop run for ms milliseconds.
void RunLoopFor(int ms);

} // namespace ConnectionTest
