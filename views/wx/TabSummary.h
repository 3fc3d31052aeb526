#pragma once
#include <wx/panel.h>

#include "data/DocumentSubscription.h"
#include "data/DocumentView.h"

class CSummaryView;
class CTerrionDoc;

/// The summary tab of the measurement tab sheet: a page that the summary
/// view fills. It prints on the print page message and shows the document's
/// changes as they are notified.
class CTabSummary : public wxPanel, public CDocumentView
{
public:
    CTabSummary(wxWindow* parent, CTerrionDoc& doc);

    CSummaryView* GetView() const { return m_view; }

    void PostDocumentChanged(int hint) override;

private:
    void OnDocumentChanged(wxCommandEvent& event);
    void OnPrint(wxCommandEvent& event);

    CTerrionDoc& m_doc;
    CSummaryView* m_view = nullptr;
    /// A notification is queued and not yet handled: the next ones add nothing.
    bool m_changeQueued = false;
    CDocumentSubscription m_subscription;
};
