#pragma once
// The window that fills the main frame: it holds the tab sheet with the two
// measurement pages, runs the project commands on the document, passes the
// view commands to the active page, opens the help files, enables all these
// commands and keeps the frame's title in step with the document.

#include "data/DocumentSubscription.h"
#include "data/DocumentView.h"
#include "platform/wx/ClipboardWatch.h"
#include "views/wx/ViewServices.h"

#include <wx/panel.h>

class CTabGrid;
class CTabSheet;
class CTerrionDoc;
class wxUpdateUIEvent;

class CChildView : public wxPanel, public CDocumentView, public CViewServices
{
public:
    CChildView(wxWindow* parent, CTerrionDoc& doc);

    CTabSheet* TabSheet() const { return m_sheet; }
    CTabGrid* GridPage() const { return m_gridPage; }
    wxWindow* SummaryPage() const { return m_summaryPage; }
    /// Whether the clipboard holds the project format: what enables Paste.
    CClipboardWatch& ClipboardWatch() { return m_clipboardWatch; }

    /// The frame's title: "VARNEL TerrionLink", then " - " and the
    /// document's title when it has one.
    void UpdateTitle();

    /// Ends a name being typed in the series grid as Enter would, so that a
    /// command finds the text in the document.
    void EndOpenEdit();

    void PostDocumentChanged(int hint) override;

    // What the pages need of the application.
    std::uint32_t GetDTFormat() const override;
    /// The pages' boxes belong to the main frame.
    CUserPrompts::NAnswer MessageBox(unsigned textId, CUserPrompts::NButtons buttons,
                                     CUserPrompts::NIcon icon) override;
    CUserPrompts::NAnswer MessageText(const std::wstring& text, CUserPrompts::NButtons buttons,
                                      CUserPrompts::NIcon icon) override;
    CUserPrompts::NAnswer AskAbortRetryIgnore(const std::wstring& text) override;
    std::unique_ptr<CViewProgress> OpenProgress(wxWindow* owner) override;

private:
    void OnCommand(wxCommandEvent& event);
    void OnUpdateCommand(wxUpdateUIEvent& event);
    void OnDocumentChanged(wxCommandEvent& event);
    void RunCommand(int command);
    bool IsEnabled(int command) const;
    void OnHelp();
    void OnHelpUpgrade();
    /// Opens a help file from the "Pfad" folder; a missing one is reported.
    void OpenHelpFile(unsigned nameId);

    CTerrionDoc& m_doc;
    CTabSheet* m_sheet = nullptr;
    CTabGrid* m_gridPage = nullptr;
    wxWindow* m_summaryPage = nullptr;
    CDocumentSubscription m_subscription;
    CClipboardWatch m_clipboardWatch;
};
