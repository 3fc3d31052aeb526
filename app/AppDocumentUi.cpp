#include "app/AppDocumentUi.h"

#include "app/UserPrompts.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/msgdlg.h>

namespace
{

const wxString kCaption = L"TerrionLink";

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
    switch (m_prompts.ShowMessage(m_owner, question, kCaption, wxYES_NO | wxCANCEL | wxICON_QUESTION))
    {
    case wxID_YES:
        return AnswerYes;
    case wxID_NO:
        return AnswerNo;
    default:
        return AnswerCancel;
    }
}

void CAppDocumentUi::ShowError(const std::wstring& text)
{
    m_prompts.ShowMessage(m_owner, text, kCaption, wxOK | wxICON_EXCLAMATION);
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

bool CAppDocumentUi::ReadClipboard(const std::wstring& format, std::vector<std::uint8_t>* block)
{
    wxClipboardLocker lock;
    if (!lock)
        return false;
    const wxDataFormat dataFormat(format);
    if (!wxTheClipboard->IsSupported(dataFormat))
        return false;
    wxCustomDataObject data(dataFormat);
    if (!wxTheClipboard->GetData(data))
        return false;
    const auto* bytes = static_cast<const std::uint8_t*>(data.GetData());
    block->assign(bytes, bytes + data.GetSize());
    return true;
}

bool CAppDocumentUi::WriteClipboard(const std::wstring& format, const std::vector<std::uint8_t>& block)
{
    wxClipboardLocker lock;
    if (!lock)
        return false;
    auto* data = new wxCustomDataObject(wxDataFormat(format));
    data->SetData(block.size(), block.data());
    return wxTheClipboard->SetData(data);
}
