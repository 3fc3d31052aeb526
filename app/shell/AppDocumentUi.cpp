#include "app/shell/AppDocumentUi.h"

#include "platform/wx/UserPrompts.h"
#include "platform/wx/WxClipboard.h"

namespace
{

/// "label|pattern|...||" (the document's filter) as a wx wildcard.
wxString ToWildcard(const std::wstring& filter)
{
    wxString text(filter);
    while (text.EndsWith(L"|"))
        text.RemoveLast();
    return text;
}

} // namespace

CAppDocumentUi::CAppDocumentUi(CUserPrompts& prompts, wxWindow* owner) : m_prompts(prompts), m_owner(owner)
{
}

CDocumentUi::NAnswer CAppDocumentUi::AskSaveChanges(const std::wstring& question)
{
    switch (m_prompts.Ask(m_owner, question, CUserPrompts::buttonsYesNoCancel, CUserPrompts::iconQuestion))
    {
    case CUserPrompts::answerYes:
        return AnswerYes;
    case CUserPrompts::answerNo:
        return AnswerNo;
    default:
        return AnswerCancel;
    }
}

void CAppDocumentUi::ShowMessage(Resources::NMessageKind kind, const std::wstring& text)
{
    // Failures and refusals carry the exclamation icon; only a fatal error the error icon.
    CUserPrompts::NIcon icon = CUserPrompts::iconExclamation;
    if (kind == Resources::NMessageKind::Information)
        icon = CUserPrompts::iconInformation;
    else if (kind == Resources::NMessageKind::FatalError)
        icon = CUserPrompts::iconError;
    m_prompts.Ask(m_owner, text, CUserPrompts::buttonsOk, icon);
}

bool CAppDocumentUi::Choose(const SFileDialog& dialog, bool save, std::wstring* path)
{
    CUserPrompts::SFileRequest request;
    request.defaultExtension = dialog.defaultExtension;
    request.initialName = dialog.initialName;
    request.wildcard = ToWildcard(dialog.filter);
    request.save = save;
    request.overwritePrompt = dialog.overwritePrompt;
    wxString chosen;
    if (!m_prompts.ChooseFile(m_owner, request, &chosen) || chosen.empty())
        return false;
    *path = chosen.ToStdWstring();
    return true;
}

bool CAppDocumentUi::ChooseOpenPath(const SFileDialog& dialog, std::wstring* path)
{
    return Choose(dialog, false, path);
}

bool CAppDocumentUi::ChooseSavePath(const SFileDialog& dialog, std::wstring* path)
{
    return Choose(dialog, true, path);
}

bool CAppDocumentUi::IsClipboardFormatAvailable(const std::wstring& format)
{
    return CWxClipboard::IsAvailable(format);
}

bool CAppDocumentUi::ReadClipboard(const std::wstring& format, std::vector<std::uint8_t>* block)
{
    return CWxClipboard::Read(format, block);
}

bool CAppDocumentUi::WriteClipboard(const Platform::CClipboardData& data)
{
    if (!CWxClipboard::Write(data))
        return false;
    if (m_clipboardWatch)
        m_clipboardWatch->NoteWritten(data);
    return true;
}
