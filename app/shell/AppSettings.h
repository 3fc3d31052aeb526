#pragma once
// The application settings dialog: the language (the program's own texts or
// a matching language library beside the program) and the date and time
// display patterns, with a live preview of the current time.

#include "streams/FileVersionInfo.h"

#include <wx/dialog.h>

#include <cstdint>
#include <vector>

class CTerrionLinkApp;
class wxChoice;
class wxStaticBox;

class CAppSettings : public wxDialog
{
public:
    CAppSettings(wxWindow* parent, CTerrionLinkApp& app);

    /// The flags set by OK.
    bool IsLanguageChanged() const { return m_languageChanged; }
    bool IsFormatChanged() const { return m_formatChanged; }

    /// Stores what changed (what OK does before the dialog ends).
    void Apply();
    /// Selects the first entry of every list.
    void Reset();

    wxChoice* LanguageList() const { return m_languages; }
    wxChoice* DateList() const { return m_dates; }
    wxChoice* TimeList() const { return m_times; }
    /// The preview text: "Date/Time format:", two blanks, the date, a blank, the time.
    wxString PreviewText() const;
    /// The preview as the dialog shows it now.
    wxString ShownPreview() const;
    /// The version information behind each language entry, in list order.
    const std::vector<CFileVersionInfo>& LanguageInfos() const { return m_languageInfos; }

private:
    void FillLanguageList();
    void ShowPreview();
    void OnOk(wxCommandEvent& event);

    CTerrionLinkApp& m_app;
    wxStaticBox* m_preview = nullptr;
    wxChoice* m_languages = nullptr;
    wxChoice* m_dates = nullptr;
    wxChoice* m_times = nullptr;
    std::vector<CFileVersionInfo> m_languageInfos;
    bool m_changed = false;
    bool m_formatChanged = false;
    bool m_languageChanged = false;
};
