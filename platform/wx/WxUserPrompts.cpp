#include "platform/wx/WxUserPrompts.h"

#include "resources/StringIds.h"
#include "resources/TextFormat.h"
#include "resources/wx/WxText.h"

#include <wx/filedlg.h>
#include <wx/filefn.h>
#include <wx/msgdlg.h>

using Resources::CTextFormat;
using Resources::WxText;

long CWxUserPrompts::Style(NButtons buttons, NIcon icon)
{
    long style = 0;
    switch (buttons)
    {
    case buttonsOk:
        style = wxOK;
        break;
    case buttonsOkCancel:
    case buttonsRetryCancel:
        style = wxOK | wxCANCEL;
        break;
    case buttonsYesNo:
        style = wxYES_NO;
        break;
    case buttonsYesNoCancel:
    case buttonsAbortRetryIgnore:
        style = wxYES_NO | wxCANCEL;
        break;
    }
    switch (icon)
    {
    case iconInformation:
        return style | wxICON_INFORMATION;
    case iconExclamation:
        return style | wxICON_EXCLAMATION;
    case iconQuestion:
        return style | wxICON_QUESTION;
    case iconError:
        return style | wxICON_ERROR;
    }
    return style;
}

CUserPrompts::NAnswer CWxUserPrompts::AnswerOf(NButtons buttons, int result)
{
    switch (buttons)
    {
    case buttonsOk:
        return answerOk;
    case buttonsOkCancel:
        return result == wxID_OK ? answerOk : answerCancel;
    case buttonsRetryCancel:
        return result == wxID_OK ? answerRetry : answerCancel;
    case buttonsYesNo:
        return result == wxID_YES ? answerYes : answerNo;
    case buttonsYesNoCancel:
        return result == wxID_YES ? answerYes : (result == wxID_NO ? answerNo : answerCancel);
    case buttonsAbortRetryIgnore:
        // Escape gives Cancel, which is Ignore here; a box closed otherwise aborts.
        if (result == wxID_NO)
            return answerRetry;
        return result == wxID_CANCEL ? answerIgnore : answerAbort;
    }
    return answerCancel;
}

CUserPrompts::NAnswer CWxUserPrompts::ShowMessage(wxWindow* owner, const SMessage& message)
{
    wxMessageDialog dialog(owner, message.text, message.caption, Style(message.buttons, message.icon));
    if (message.buttons == buttonsRetryCancel)
        dialog.SetOKCancelLabels(WxText(Resources::Ids::kButtonRetry), WxText(Resources::Ids::kButtonCancel));
    else if (message.buttons == buttonsAbortRetryIgnore)
        dialog.SetYesNoCancelLabels(wxID_ABORT, WxText(Resources::Ids::kButtonRetry), wxID_IGNORE);
    return AnswerOf(message.buttons, dialog.ShowModal());
}

bool CWxUserPrompts::ChooseFile(wxWindow* owner, const SFileRequest& request, wxString* path)
{
    wxString chosen;
    if (!ShowFileDialog(owner, request, &chosen))
        return false;
    if (request.save && !request.defaultExtension.empty() && chosen.AfterLast(L'/').Find(L'.') == wxNOT_FOUND)
    {
        chosen += L"." + request.defaultExtension;
        if (request.overwritePrompt && wxFileExists(chosen) &&
            Ask(owner,
                wxString(CTextFormat::Format(Resources::Ids::kExportReplaceFile, {chosen.ToStdWstring()})),
                buttonsYesNo, iconQuestion) != answerYes)
            return false;
    }
    *path = chosen;
    return true;
}

bool CWxUserPrompts::ShowFileDialog(wxWindow* owner, const SFileRequest& request, wxString* path)
{
    long style = request.save ? wxFD_SAVE : (wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (request.save && request.overwritePrompt)
        style |= wxFD_OVERWRITE_PROMPT;
    wxFileDialog dialog(owner, wxFileSelectorPromptStr, wxEmptyString, request.initialName, request.wildcard,
                        style);
    if (dialog.ShowModal() != wxID_OK)
        return false;
    *path = dialog.GetPath();
    return true;
}
