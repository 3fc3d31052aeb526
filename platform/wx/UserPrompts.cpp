#include "platform/wx/UserPrompts.h"

#include "resources/StringIds.h"
#include "resources/wx/WxText.h"

CUserPrompts::NAnswer CUserPrompts::Ask(wxWindow* owner, const wxString& text, NButtons buttons, NIcon icon)
{
    return ShowMessage(owner, SMessage{text, Resources::WxText(Resources::Ids::kAppTitle), buttons, icon});
}

CUserPrompts::NAnswer CUserPrompts::Ask(wxWindow* owner, unsigned textId, NButtons buttons, NIcon icon)
{
    return Ask(owner, Resources::WxText(textId), buttons, icon);
}
