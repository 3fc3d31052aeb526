#include "app/shell/PageProgress.h"

#include "app/shell/ProgressDlg.h"

CPageProgress::CPageProgress(wxWindow* owner) : m_dialog(new CProgressDlg(owner))
{
    m_dialog->Show();
    m_dialog->Update();
}

CPageProgress::~CPageProgress()
{
    m_dialog->Destroy();
}

void CPageProgress::SetPos(int position)
{
    m_dialog->SetPos(position);
}

void CPageProgress::SetText(const std::wstring& text)
{
    m_dialog->SetText(wxString(text));
}
