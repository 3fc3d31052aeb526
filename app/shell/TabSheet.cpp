#include "app/shell/TabSheet.h"

#include "app/shell/AppEvents.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"

CTabSheet::CTabSheet(wxWindow* parent, CTerrionDoc& doc)
    : wxNotebook(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxNB_TOP, L"Measurements"), m_doc(doc),
      m_subscription(doc, *this)
{
    Bind(WM_DOCUMENT_CHANGED, &CTabSheet::OnDocumentChanged, this);
}

bool CTabSheet::SendToActivePage(wxEventType type)
{
    wxWindow* page = GetCurrentPage();
    if (!page)
        return false;
    wxCommandEvent event(type, page->GetId());
    event.SetEventObject(this);
    event.SetInt(0);
    // Only the page itself answers: a page message never climbs to the frame.
    return page->ProcessWindowEventLocally(event);
}

bool CTabSheet::Print()
{
    return SendToActivePage(WM_PAGE_PRINT);
}

bool CTabSheet::ExportGraphic()
{
    return SendToActivePage(WM_PAGE_EXPORT_GRAPHIC);
}

bool CTabSheet::ExportCsv()
{
    return SendToActivePage(WM_PAGE_EXPORT_CSV);
}

bool CTabSheet::Copy()
{
    return SendToActivePage(WM_PAGE_COPY);
}

bool CTabSheet::Paste()
{
    return SendToActivePage(WM_PAGE_PASTE);
}

bool CTabSheet::SelectAll()
{
    return SendToActivePage(WM_PAGE_SELECT_ALL);
}

bool CTabSheet::Delete()
{
    return SendToActivePage(WM_PAGE_DELETE);
}

bool CTabSheet::IsActivePage(const wxWindow* page) const
{
    return page && GetCurrentPage() == page;
}

void CTabSheet::PostDocumentChanged(int hint)
{
    auto* event = new wxCommandEvent(WM_DOCUMENT_CHANGED, GetId());
    event->SetInt(hint);
    wxQueueEvent(this, event);
}

void CTabSheet::OnDocumentChanged(wxCommandEvent&)
{
    // Any hint retitles both tabs, so a language change reaches them.
    for (std::size_t i = 0; i < GetPageCount(); ++i)
    {
        std::wstring text;
        if (i == 0)
            text = Resources::CStringTable::Text(Resources::Ids::kAppTabSeries);
        else if (i == 1)
            text = Resources::CStringTable::Text(Resources::Ids::kAppTabSummary);
        SetPageText(i, text);
    }
}
