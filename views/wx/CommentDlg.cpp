#include "views/wx/CommentDlg.h"

#include "resources/StringIds.h"
#include "resources/wx/WxText.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

using Resources::WxText;

namespace
{

namespace Ids = Resources::Ids;

constexpr int kEditId = 2003;

CCommentDlg::TTestHook& CommentTestHook()
{
    static CCommentDlg::TTestHook hook;
    return hook;
}

/// CR LF (and a lone CR) as the edit shows it: a line feed.
wxString ToEdit(const std::wstring& text)
{
    wxString result;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] == L'\r')
        {
            if (i + 1 < text.size() && text[i + 1] == L'\n')
                ++i;
            result += L'\n';
        }
        else
            result += text[i];
    }
    return result;
}

std::wstring FromEdit(const wxString& text)
{
    std::wstring result;
    for (const wchar_t c : text.ToStdWstring())
    {
        if (c == L'\n')
            result += L"\r\n";
        else if (c != L'\r')
            result += c;
    }
    return result;
}

} // namespace

CCommentDlg::CCommentDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, WxText(Ids::kCommentDlgTitle), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX)
{
    auto* column = new wxBoxSizer(wxVERTICAL);
    m_edit = new wxTextCtrl(this, kEditId, wxEmptyString, wxDefaultPosition,
                            ConvertDialogToPixels(wxSize(291, 79)),
                            wxTE_MULTILINE | wxTE_DONTWRAP | wxTE_NOHIDESEL);
    column->Add(m_edit, 1, wxEXPAND | wxALL, ConvertDialogToPixels(wxSize(7, 0)).GetWidth());

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(new wxButton(this, wxID_CANCEL, WxText(Ids::kAppCancel)), 0, wxRIGHT, 6);
    auto* ok = new wxButton(this, wxID_OK, WxText(Ids::kAppOk));
    ok->SetDefault();
    buttons->Add(ok, 0);
    column->Add(buttons, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM,
                ConvertDialogToPixels(wxSize(7, 0)).GetWidth());
    SetSizerAndFit(column);
}

void CCommentDlg::SetTestHook(TTestHook hook)
{
    CommentTestHook() = std::move(hook);
}

void CCommentDlg::Start()
{
    m_edit->ChangeValue(ToEdit(m_comment));
    m_edit->SetFocus();
    m_edit->SetInsertionPointEnd();
    m_edit->ShowPosition(m_edit->GetLastPosition());
}

void CCommentDlg::Finish()
{
    // An unchanged text comes back exactly as it was given.
    const wxString shown = m_edit->GetValue();
    if (shown != ToEdit(m_comment))
        m_comment = FromEdit(shown);
}

int CCommentDlg::ShowModal()
{
    Start();
    const int result = CommentTestHook() ? CommentTestHook()(*this) : wxDialog::ShowModal();
    Finish();
    return result;
}
