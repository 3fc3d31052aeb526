#pragma once
// The tabbed container of the two measurement pages (series first, summary
// second). It sends the view commands to the active page as page messages
// and keeps the tab texts in the current language.

#include "data/DocumentSubscription.h"
#include "data/DocumentView.h"

#include <wx/event.h>
#include <wx/notebook.h>

class CTerrionDoc;

class CTabSheet : public wxNotebook, public CDocumentView
{
public:
    CTabSheet(wxWindow* parent, CTerrionDoc& doc);

    /// Each sends its page message to the active page at once; true when the
    /// page handled it.
    bool Print();
    bool ExportGraphic();
    bool ExportCsv();
    bool Copy();
    bool Paste();
    bool SelectAll();
    bool Delete();

    /// Whether page is the active page.
    bool IsActivePage(const wxWindow* page) const;

    void PostDocumentChanged(int hint) override;

private:
    bool SendToActivePage(wxEventType type);
    void OnDocumentChanged(wxCommandEvent& event);

    CTerrionDoc& m_doc;
    CDocumentSubscription m_subscription;
};
