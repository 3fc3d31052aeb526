#include "app/shell/AppSettings.h"

#include "app/shell/LanguageLibrary.h"
#include "app/shell/TerrionLinkApp.h"
#include "resources/StringIds.h"
#include "resources/wx/WxText.h"
#include "views/DateTimeFormat.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/window.h>

#include <algorithm>
#include <ctime>

using Resources::WxText;

namespace
{

namespace Ids = Resources::Ids;

constexpr int kResetId = 201;

} // namespace

CAppSettings::CAppSettings(wxWindow* parent, CTerrionLinkApp& app)
    : wxDialog(parent, 200, WxText(Ids::kAppSettingsTitle)), m_app(app)
{
    auto* top = new wxBoxSizer(wxVERTICAL);

    auto* languageBox = new wxStaticBoxSizer(wxVERTICAL, this, WxText(Ids::kAppSelectLanguage));
    m_languages = new wxChoice(languageBox->GetStaticBox(), 130);
    languageBox->Add(m_languages, 0, wxEXPAND | wxALL, 5);
    top->Add(languageBox, 0, wxEXPAND | wxALL, 8);

    auto* formatBox = new wxStaticBoxSizer(wxHORIZONTAL, this, WxText(Ids::kAppDateTimeFormat));
    m_preview = formatBox->GetStaticBox();
    auto* dateBox = new wxStaticBoxSizer(wxVERTICAL, m_preview, WxText(Ids::kAppDateFormat));
    m_dates = new wxChoice(dateBox->GetStaticBox(), 205);
    dateBox->Add(m_dates, 0, wxEXPAND | wxALL, 5);
    auto* timeBox = new wxStaticBoxSizer(wxVERTICAL, m_preview, WxText(Ids::kAppTimeFormat));
    m_times = new wxChoice(timeBox->GetStaticBox(), 204);
    timeBox->Add(m_times, 0, wxEXPAND | wxALL, 5);
    formatBox->Add(dateBox, 1, wxEXPAND | wxALL, 5);
    formatBox->Add(timeBox, 1, wxEXPAND | wxALL, 5);
    top->Add(formatBox, 0, wxEXPAND | wxLEFT | wxRIGHT, 8);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(new wxButton(this, kResetId, WxText(Ids::kAppReset)), 0, wxRIGHT, 5);
    buttons->AddStretchSpacer();
    buttons->Add(new wxButton(this, wxID_CANCEL, WxText(Ids::kAppCancel)), 0, wxRIGHT, 5);
    auto* ok = new wxButton(this, wxID_OK, WxText(Ids::kAppOk));
    ok->SetDefault();
    buttons->Add(ok);
    top->Add(buttons, 0, wxEXPAND | wxALL, 8);
    SetSizer(top);

    FillLanguageList();
    for (std::uint32_t i = 0; i < 4; ++i)
    {
        m_dates->Append(wxString(CDateTimeFormat::GetDateFormatString(i << 8)));
        m_times->Append(wxString(CDateTimeFormat::GetTimeFormatString(i)));
    }
    const std::uint32_t format = m_app.GetDTFormat();
    const std::uint32_t date = (format >> 8) & 0xFF;
    const std::uint32_t time = format & 0xFF;
    m_dates->SetSelection(date <= 3 ? static_cast<int>(date) : 0);
    m_times->SetSelection(time <= 3 ? static_cast<int>(time) : 0);
    ShowPreview();

    m_dates->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { ShowPreview(); });
    m_times->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { ShowPreview(); });
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { Reset(); }, kResetId);
    Bind(wxEVT_BUTTON, &CAppSettings::OnOk, this, wxID_OK);

    // The preview grows with the longest pattern: keep room for it.
    m_preview->SetLabel(WxText(Ids::kAppDateTimeFormat) + L"  September 30/09/2000 12:00 PM");
    Fit();
    ShowPreview();
    CentreOnParent();
}

void CAppSettings::FillLanguageList()
{
    m_languages->Clear();
    m_languageInfos.clear();
    const CFileVersionInfo& program = m_app.ProgramVersion();
    if (program.GetFileVersion().empty())
        return;
    m_languages->Append(wxString(program.GetInternalName()));
    m_languages->SetSelection(0);
    m_languageInfos.push_back(program);

    const wxString folder = m_app.Settings().ProgramFolder();
    wxDir dir(folder);
    if (folder.empty() || !dir.IsOpened())
        return;
    const std::wstring current = m_app.GetLanguageFile(false);
    wxString name;
    for (bool more = dir.GetFirst(&name, L"TerrionLink_*.so", wxDIR_FILES); more; more = dir.GetNext(&name))
    {
        CFileVersionInfo info;
        if (!info.Create(wxFileName(folder, name).GetFullPath().ToStdWstring()) ||
            !CLanguageLibrary::VersionMatches(info, program))
            continue;
        m_languageInfos.push_back(info);
        const int index = m_languages->Append(wxString(info.GetInternalName()));
        if (info.GetOriginalFileName() == current)
            m_languages->SetSelection(index);
    }
}

wxString CAppSettings::PreviewText() const
{
    const std::uint32_t date = static_cast<std::uint32_t>(std::max(m_dates->GetSelection(), 0));
    const std::uint32_t time = static_cast<std::uint32_t>(std::max(m_times->GetSelection(), 0));
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const std::wstring dateText =
        CDateTimeFormat::Format(CDateTimeFormat::GetDateFormatString(date << 8), local);
    const std::wstring timeText = CDateTimeFormat::Format(CDateTimeFormat::GetTimeFormatString(time), local);
    return WxText(Ids::kAppDateTimeFormat) + L"  " + wxString(dateText) + L" " + wxString(timeText);
}

wxString CAppSettings::ShownPreview() const
{
    return m_preview->GetLabel();
}

void CAppSettings::ShowPreview()
{
    m_preview->SetLabel(PreviewText());
}

void CAppSettings::Reset()
{
    if (!m_languageInfos.empty())
        m_languages->SetSelection(0);
    m_dates->SetSelection(0);
    m_times->SetSelection(0);
    ShowPreview();
}

void CAppSettings::Apply()
{
    m_changed = m_formatChanged = m_languageChanged = false;
    const int entry = m_languages->GetSelection();
    const bool haveEntry = entry >= 0 && static_cast<std::size_t>(entry) < m_languageInfos.size();
    if (haveEntry && m_languageInfos[static_cast<std::size_t>(entry)].GetOriginalFileName() !=
                         m_app.GetLanguageFile(false))
        m_changed = m_languageChanged = true;
    const std::uint32_t format = static_cast<std::uint32_t>(std::max(m_dates->GetSelection(), 0)) * 256 +
                                 static_cast<std::uint32_t>(std::max(m_times->GetSelection(), 0));
    if (format != m_app.GetDTFormat())
        m_changed = m_formatChanged = true;
    if (!m_changed)
        return;
    if (m_formatChanged)
        m_app.SetDTFormat(format);
    if (m_languageChanged)
    {
        const std::wstring path =
            entry == 0 ? m_app.Settings().ProgramPath()
                       : CProgramSettings::JoinPath(
                             m_app.Settings().ProgramFolder(),
                             m_languageInfos[static_cast<std::size_t>(entry)].GetOriginalFileName());
        m_app.SetLanguageFile(path);
    }
}

void CAppSettings::OnOk(wxCommandEvent&)
{
    Apply();
    EndModal(wxID_OK);
}
