#include "app/shell/AboutDlg.h"

#include "resources/StringIds.h"
#include "resources/wx/WxText.h"
#include "streams/FileVersionInfo.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

using Resources::WxText;

namespace
{

namespace Ids = Resources::Ids;

wxString MajorMinor(const CFileVersionInfo& info)
{
    return wxString::Format(L"%d.%d", info.GetProductVersionPart(3), info.GetProductVersionPart(2));
}

wxString Part(const CFileVersionInfo& info, int index)
{
    return wxString::Format(L"%d", info.GetProductVersionPart(index));
}

} // namespace

CAboutDlg::CAboutDlg(wxWindow* parent, const CFileVersionInfo& program, const CFileVersionInfo& language)
    : wxDialog(parent, 100, WxText(Ids::kAppAboutTitle))
{
    const bool haveProgram = !program.GetFileVersion().empty();
    const bool haveLanguage = !language.GetFileVersion().empty();
    const CFileVersionInfo& texts = haveLanguage ? language : program;

    auto* group =
        new wxStaticBoxSizer(wxVERTICAL, this, haveProgram ? wxString(program.GetFileDescription()) : "");
    group->GetStaticBox()->SetId(116);
    wxWindow* box = group->GetStaticBox();
    auto* grid = new wxFlexGridSizer(2, wxSize(12, 4));
    auto row = [&](unsigned label, int id, const wxString& value)
    {
        grid->Add(new wxStaticText(box, wxID_ANY, WxText(label)));
        grid->Add(new wxStaticText(box, id, value));
    };
    row(Ids::kAppAboutVersion, 110, haveProgram ? MajorMinor(program) : wxString());
    row(Ids::kAppAboutRelease, 112, haveProgram ? Part(program, 1) : wxString());
    row(Ids::kAppAboutBuild, 113, haveProgram ? Part(program, 0) : wxString());
    row(Ids::kAppAboutEncoding, 114, L"UNICODE");
    group->Add(grid, 0, wxALL, 8);
    if (haveLanguage && &language != &program &&
        language.GetOriginalFileName() != program.GetOriginalFileName())
    {
        auto* lang = new wxFlexGridSizer(2, wxSize(12, 4));
        lang->Add(new wxStaticText(box, wxID_ANY, WxText(Ids::kAppAboutLanguage)));
        lang->Add(new wxStaticText(box, 120, wxString(language.GetFileDescription())));
        lang->Add(new wxStaticText(box, wxID_ANY, WxText(Ids::kAppAboutVersion)));
        lang->Add(new wxStaticText(box, 117, MajorMinor(language)));
        lang->Add(new wxStaticText(box, wxID_ANY, WxText(Ids::kAppAboutRelease)));
        lang->Add(new wxStaticText(box, 118, Part(language, 1)));
        lang->Add(new wxStaticText(box, wxID_ANY, WxText(Ids::kAppAboutBuild)));
        lang->Add(new wxStaticText(box, 119, Part(language, 0)));
        group->Add(lang, 0, wxALL, 8);
    }
    group->Add(new wxStaticText(box, 115, wxString(texts.GetComments())), 0, wxALL, 8);
    group->Add(new wxStaticText(box, 111, wxString(texts.GetLegalCopyright())), 0, wxALL, 8);

    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(group, 1, wxEXPAND | wxALL, 10);
    top->Add(new wxButton(this, wxID_OK, WxText(Ids::kAppOk)), 0, wxALIGN_RIGHT | wxRIGHT | wxBOTTOM, 10);
    SetSizerAndFit(top);
    CentreOnParent();
}

wxString CAboutDlg::FieldText(int id) const
{
    const wxWindow* window = FindWindow(id);
    return window ? window->GetLabel() : wxString();
}
