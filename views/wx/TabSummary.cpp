#include "views/wx/TabSummary.h"

#include <wx/sizer.h>

#include "data/TerrionDoc.h"
#include "views/wx/PageEvents.h"
#include "views/wx/SummaryView.h"

CTabSummary::CTabSummary(wxWindow* parent, CTerrionDoc& doc)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxBORDER_NONE,
              L"CTabSummary"),
      m_doc(doc), m_subscription(doc, *this)
{
    m_view = new CSummaryView(this, doc);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_view, 1, wxEXPAND);
    SetSizer(sizer);
    Bind(WM_DOCUMENT_CHANGED, &CTabSummary::OnDocumentChanged, this);
    Bind(WM_PAGE_PRINT, &CTabSummary::OnPrint, this);
}

void CTabSummary::PostDocumentChanged(int hint)
{
    // Every change shows the same way, as the whole page painted again.
    if (m_changeQueued)
        return;
    m_changeQueued = true;
    auto* event = new wxCommandEvent(WM_DOCUMENT_CHANGED, GetId());
    event->SetInt(hint);
    wxQueueEvent(this, event);
}

void CTabSummary::OnDocumentChanged(wxCommandEvent&)
{
    m_changeQueued = false;
    m_doc.ComputeSummaryStatistics();
    // Texts of a new language come through here too: the layout is made again.
    m_view->GetPage().Invalidate();
    m_view->Refresh();
}

void CTabSummary::OnPrint(wxCommandEvent&)
{
    m_view->PrintSummary();
}
