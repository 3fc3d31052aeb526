#include "app/shell/ChildView.h"

#include "app/shell/AppEvents.h"
#include "app/shell/CommandIds.h"
#include "app/shell/OsShell.h"
#include "app/shell/PageProgress.h"
#include "app/shell/TabPageShell.h"
#include "app/shell/TabSheet.h"
#include "app/shell/TerrionLinkApp.h"
#include "data/TerrionDoc.h"
#include "grid/GridCtrl.h"
#include "resources/StringIds.h"
#include "resources/wx/WxText.h"
#include "views/wx/TabGrid.h"
#include "views/wx/TabSummary.h"

#include <wx/filename.h>
#include <wx/sizer.h>
#include <wx/utils.h>

using Resources::WxText;

namespace
{

namespace Ids = Resources::Ids;

constexpr int kCommands[] = {AppIds::kProjectOpen, AppIds::kProjectAdd,    AppIds::kProjectClose,
                             AppIds::kProjectSave, AppIds::kProjectSaveAs, AppIds::kRestoreOriginal,
                             AppIds::kPrint,       AppIds::kCopyRows,      AppIds::kPasteRows,
                             AppIds::kExportCsv,   AppIds::kExportGraphic, AppIds::kSelectAllRows,
                             AppIds::kDeleteRows,  AppIds::kHelp,          AppIds::kHelpUpgrade};

} // namespace

CChildView::CChildView(wxWindow* parent, CTerrionDoc& doc)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxBORDER_NONE),
      m_doc(doc), m_subscription(doc, *this), m_clipboardWatch(CTerrionDoc::kClipboardFormat, parent)
{
    m_sheet = new CTabSheet(this, doc);
    m_gridPage = new CTabGrid(m_sheet, doc, *this);
    m_summaryPage = new CTabSummary(m_sheet, doc);
    m_sheet->AddPage(m_gridPage, WxText(Ids::kAppTabSeries), true);
    m_sheet->AddPage(m_summaryPage, WxText(Ids::kAppTabSummary), false);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_sheet, 1, wxEXPAND);
    SetSizer(sizer);

    for (int command : kCommands)
    {
        Bind(wxEVT_MENU, &CChildView::OnCommand, this, AppIds::ToWindowId(command));
        Bind(wxEVT_UPDATE_UI, &CChildView::OnUpdateCommand, this, AppIds::ToWindowId(command));
    }
    Bind(WM_DOCUMENT_CHANGED, &CChildView::OnDocumentChanged, this);
}

void CChildView::PostDocumentChanged(int hint)
{
    auto* event = new wxCommandEvent(WM_DOCUMENT_CHANGED, GetId());
    event->SetInt(hint);
    wxQueueEvent(this, event);
}

std::uint32_t CChildView::GetDTFormat() const
{
    return TheApp().GetDTFormat();
}

CUserPrompts::NAnswer CChildView::MessageBox(unsigned textId, CUserPrompts::NButtons buttons,
                                             CUserPrompts::NIcon icon)
{
    return TheApp().Prompts().Ask(wxGetTopLevelParent(this), textId, buttons, icon);
}

CUserPrompts::NAnswer CChildView::MessageText(const std::wstring& text, CUserPrompts::NButtons buttons,
                                              CUserPrompts::NIcon icon)
{
    return TheApp().Prompts().Ask(wxGetTopLevelParent(this), wxString(text), buttons, icon);
}

CUserPrompts::NAnswer CChildView::AskAbortRetryIgnore(const std::wstring& text)
{
    return MessageText(text, CUserPrompts::buttonsAbortRetryIgnore, CUserPrompts::iconError);
}

std::unique_ptr<CViewProgress> CChildView::OpenProgress(wxWindow* owner)
{
    return std::make_unique<CPageProgress>(owner);
}

void CChildView::OnDocumentChanged(wxCommandEvent&)
{
    UpdateTitle();
}

void CChildView::UpdateTitle()
{
    wxString title = WxText(Ids::kAppFrameTitle);
    const std::wstring docTitle = m_doc.GetTitle(false);
    if (!docTitle.empty())
        title += L" - " + wxString(docTitle);
    if (GetParent() && GetParent()->GetLabel() != title)
        GetParent()->SetLabel(title);
}

void CChildView::EndOpenEdit()
{
    m_gridPage->Grid().EndEditing();
}

void CChildView::OnCommand(wxCommandEvent& event)
{
    RunCommand(AppIds::ToCommand(event.GetId()));
}

void CChildView::RunCommand(int command)
{
    switch (command)
    {
    case AppIds::kProjectOpen:
        m_doc.Open(std::wstring(), false);
        break;
    case AppIds::kProjectAdd:
        m_doc.Open(std::wstring(), true);
        break;
    case AppIds::kProjectClose:
        m_doc.Close();
        break;
    case AppIds::kProjectSave:
        m_doc.Save();
        break;
    case AppIds::kProjectSaveAs:
        m_doc.SaveAs();
        break;
    case AppIds::kRestoreOriginal:
        if (MessageBox(Ids::kAppRestoreQuestion, CUserPrompts::buttonsYesNo, CUserPrompts::iconQuestion) ==
            CUserPrompts::answerYes)
            m_doc.RestoreOriginalData();
        return;
    case AppIds::kPrint:
        m_sheet->Print();
        return;
    case AppIds::kCopyRows:
        m_sheet->Copy();
        return;
    case AppIds::kPasteRows:
        m_sheet->Paste();
        return;
    case AppIds::kExportCsv:
        m_sheet->ExportCsv();
        return;
    case AppIds::kExportGraphic:
        m_sheet->ExportGraphic();
        return;
    case AppIds::kSelectAllRows:
        m_sheet->SelectAll();
        return;
    case AppIds::kDeleteRows:
        m_sheet->Delete();
        return;
    case AppIds::kHelp:
        OnHelp();
        return;
    case AppIds::kHelpUpgrade:
        OnHelpUpgrade();
        return;
    default:
        return;
    }
    UpdateTitle();
}

void CChildView::OnUpdateCommand(wxUpdateUIEvent& event)
{
    event.Enable(IsEnabled(AppIds::ToCommand(event.GetId())));
}

bool CChildView::IsEnabled(int command) const
{
    const bool summaryActive = m_sheet->IsActivePage(m_summaryPage);
    // A name being typed is a change: saving stores it.
    const bool editing = m_gridPage->Grid().HasOpenEdit();
    switch (command)
    {
    case AppIds::kProjectSave:
        return m_doc.IsModified() || editing;
    case AppIds::kProjectSaveAs:
        return m_doc.HasAnySeries() || editing;
    case AppIds::kProjectClose:
        return m_doc.HasAnySeries();
    case AppIds::kExportGraphic:
    case AppIds::kExportCsv:
    case AppIds::kCopyRows:
    case AppIds::kDeleteRows:
    case AppIds::kSelectAllRows:
        return m_doc.HasProjectSeries() && !summaryActive;
    case AppIds::kPasteRows:
        // The watched flag: asking the clipboard here would wait for its owner at every idle.
        return !summaryActive && m_clipboardWatch.HoldsFormat();
    case AppIds::kPrint:
        return summaryActive ? m_doc.GetSummaryCount() > 0
                             : m_sheet->IsActivePage(m_gridPage) && m_doc.HasProjectSeries();
    case AppIds::kRestoreOriginal:
        return m_doc.HasOriginalSeries();
    default:
        return true;
    }
}

void CChildView::OpenHelpFile(unsigned nameId)
{
    const wxString name = WxText(nameId);
    if (name.empty())
        return;
    const wxString folder = TheApp().Settings().Pfad();
    const wxString path = folder.empty() ? name : wxFileName(folder, name).GetFullPath();
    wxBusyCursor wait;
    // A missing help file is said, not passed over in silence.
    if (!wxFileName::FileExists(path) || !TheApp().Shell().OpenDocument(path))
        TheApp().Prompts().Ask(wxGetTopLevelParent(this), WxText(Ids::kAppHelpFileMissing) + L"\n" + path,
                               CUserPrompts::buttonsOk, CUserPrompts::iconExclamation);
}

void CChildView::OnHelp()
{
    OpenHelpFile(Ids::kAppHelpFile);
}

void CChildView::OnHelpUpgrade()
{
    OpenHelpFile(Ids::kAppUpgradeHelpFile);
}
