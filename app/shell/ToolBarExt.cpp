#include "app/shell/ToolBarExt.h"

#include "app/shell/CommandIds.h"
#include "app/shell/Logo.h"
#include "app/shell/ToolBarImages.h"
#include "resources/StringTable.h"

namespace
{

wxString Prompt(int command)
{
    return wxString(Resources::CStringTable::Text(static_cast<unsigned>(command)));
}

} // namespace

CToolBarExt::CToolBarExt(wxWindow* parent)
    : wxToolBar(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTB_HORIZONTAL | wxTB_FLAT | wxTB_TOP)
{
    SetToolBitmapSize(wxSize(CToolBarImages::kSize, CToolBarImages::kSize));
    // The bar is not to be pulled off or re-docked: background clicks end here.
    Bind(wxEVT_LEFT_DCLICK, [](wxMouseEvent&) {});
}

void CToolBarExt::Populate(CLogo* logo)
{
    for (int command : kButtons)
    {
        if (command == 0)
        {
            AddSeparator();
            continue;
        }
        AddTool(AppIds::ToWindowId(command), wxEmptyString, CToolBarImages::ForCommand(command));
    }
    if (logo)
    {
        AddStretchableSpace();
        AddControl(logo);
    }
    UpdateTexts();
    Realize();
}

void CToolBarExt::UpdateTexts()
{
    for (int command : kButtons)
    {
        if (command == 0)
            continue;
        const wxString prompt = Prompt(command);
        const int id = AppIds::ToWindowId(command);
        SetToolShortHelp(id, prompt.Contains(L"\n") ? prompt.AfterFirst(L'\n') : prompt);
        SetToolLongHelp(id, prompt.BeforeFirst(L'\n'));
    }
}
