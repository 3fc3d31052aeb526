#include "app/connection/wx/ConnectionMessage.h"

#include "resources/StringIds.h"
#include "resources/StringTable.h"

#include <wx/msgdlg.h>

namespace
{

CConnectionMessage::THook& Hook()
{
    static CConnectionMessage::THook hook;
    return hook;
}

} // namespace

void CConnectionMessage::SetHook(THook hook)
{
    Hook() = std::move(hook);
}

CConnectionMessage::NAnswer CConnectionMessage::Show(wxWindow* parent, unsigned textId, NButtons buttons,
                                                     NIcon icon)
{
    return Show(parent, wxString(Resources::CStringTable::Text(textId)), buttons, icon);
}

CConnectionMessage::NAnswer CConnectionMessage::Show(wxWindow* parent, const wxString& text, NButtons buttons,
                                                     NIcon icon)
{
    if (Hook())
        return Hook()(text, buttons, icon);
    return ShowDialog(parent, text, buttons, icon);
}

CConnectionMessage::NAnswer CConnectionMessage::ShowDialog(wxWindow* parent, const wxString& text,
                                                           NButtons buttons, NIcon icon)
{
    long style = 0;
    switch (icon)
    {
    case iconInformation:
        style |= wxICON_INFORMATION;
        break;
    case iconExclamation:
        style |= wxICON_EXCLAMATION;
        break;
    case iconQuestion:
        style |= wxICON_QUESTION;
        break;
    case iconError:
        style |= wxICON_ERROR;
        break;
    }
    style |= buttons == buttonsOk ? wxOK : wxYES_NO;
    wxMessageDialog dialog(parent, text, wxS("TerrionLink"), style);
    if (buttons == buttonsRetryCancel)
        dialog.SetYesNoLabels(wxString(Resources::CStringTable::Text(Resources::Ids::kButtonRetry)),
                              wxString(Resources::CStringTable::Text(Resources::Ids::kWizardCancel)));
    const int result = dialog.ShowModal();
    switch (buttons)
    {
    case buttonsOk:
        return answerOk;
    case buttonsYesNo:
        return result == wxID_YES ? answerYes : answerNo;
    case buttonsRetryCancel:
        return result == wxID_YES ? answerRetry : answerCancel;
    }
    return answerCancel;
}
