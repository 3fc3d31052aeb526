#include "export/wx/ExportDialogBase.h"

#include "drawing/wx/MemDCExt.h"
#include "export/ExportFileName.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "resources/TextFormat.h"

#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/settings.h>
#include <wx/sizer.h>

#include <filesystem>

namespace
{
namespace Ids = Resources::Ids;

CExportDialogBase::STestHooks& Hooks()
{
    static CExportDialogBase::STestHooks hooks;
    return hooks;
}

wxColour Colour(TGridColor c)
{
    return wxColour(static_cast<unsigned char>(GridRed(c)), static_cast<unsigned char>(GridGreen(c)),
                    static_cast<unsigned char>(GridBlue(c)));
}

const wxColour kFramePen(155, 175, 202);
const wxColour kHeadingFill(221, 231, 238);
const wxColour kHeadingLine(197, 197, 197);
const wxColour kHeadingText(0, 21, 110);

} // namespace

void CExportDialogBase::SetTestHooks(STestHooks hooks)
{
    Hooks() = std::move(hooks);
}

CExportDialogBase::CExportDialogBase(wxWindow* parent, CExportOptions::NKind kind, unsigned captionId)
    : wxDialog(parent, wxID_ANY, Resources::CStringTable::Text(captionId)), m_options(kind)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT); // the paint covers every pixel
    // The drawing was made for the small dialog font; a larger desktop text
    // scale still enlarges it, and the groups and tiles grow to their texts.
    wxFont font = GetFont();
    font.SetPointSize(kFontPoints);
    SetFont(font);
    for (unsigned id : m_options.BitmapIds())
    {
        auto& bitmap = m_bitmaps[id];
        if (!bitmap)
        {
            bitmap = std::make_unique<CDibSectionNP>();
            bitmap->LoadResource(id); // a missing one stays empty and draws nothing
        }
    }
    const auto bitmapSize = [this](unsigned id)
    {
        const auto found = m_bitmaps.find(id);
        if (found == m_bitmaps.end() || found->second->IsEmpty())
            return SGridSize{};
        return SGridSize{found->second->GetWidth(), found->second->GetHeight()};
    };
    const auto extent = [this](const std::wstring& text)
    {
        const wxSize size = GetTextExtent(text);
        return SGridSize{size.x, size.y};
    };
    const wxFont bold = HeadingFont();
    const auto headingExtent = [this, bold](const std::wstring& text)
    {
        int width = 0, height = 0;
        GetTextExtent(text, &width, &height, nullptr, nullptr, &bold);
        return SGridSize{width, height};
    };
    m_layout = std::make_unique<CExportDialogLayout>(m_options, bitmapSize, extent, headingExtent);

    // The drawn area, then the buttons beneath it on the right.
    const SGridSize drawn = m_layout->ClientSize();
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->AddSpacer(drawn.cy);
    column->SetMinSize(drawn.cx, drawn.cy);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer();
    auto* exportButton = new wxButton(this, wxID_OK, Resources::CStringTable::Text(Ids::kExportButton));
    exportButton->SetDefault();
    buttons->Add(exportButton, 0, wxRIGHT, 8);
    buttons->Add(new wxButton(this, wxID_CANCEL, Resources::CStringTable::Text(Ids::kExportCancelButton)));
    column->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizerAndFit(column);
    CentreOnParent();

    Bind(wxEVT_PAINT, &CExportDialogBase::OnPaint, this);
    Bind(wxEVT_ERASE_BACKGROUND, [](wxEraseEvent&) {});
    Bind(wxEVT_MOTION, &CExportDialogBase::OnMotion, this);
    Bind(wxEVT_LEFT_DOWN, &CExportDialogBase::OnLeftDown, this);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { Export(); }, wxID_OK);
}

int CExportDialogBase::RunModal()
{
    if (Hooks().modal)
        return Hooks().modal(*this);
    return ShowModal();
}

wxFont CExportDialogBase::HeadingFont() const
{
    wxFont bold = GetFont();
    bold.SetNumericWeight(800);
    return bold;
}

void CExportDialogBase::OnPaint(wxPaintEvent&)
{
    wxPaintDC paint(this);
    const wxRect client(GetClientSize());
    CMemDCExt memory(paint, &client); // the whole area reaches the screen at once
    Render(memory.GetDC());
}

void CExportDialogBase::Render(wxDC& dc)
{
    m_areas.RemoveAll();
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    const wxSize client = GetClientSize();
    dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
    dc.SetPen(wxPen(kFramePen));
    dc.DrawRectangle(0, 0, client.x, client.y);

    const wxFont regular = GetFont();
    const wxFont bold = HeadingFont();
    dc.SetFont(regular);
    for (const CExportDialogLayout::SGroup& group : m_layout->Groups())
        DrawGroup(dc, group, bold);
    for (const CExportDialogLayout::STile& tile : m_layout->Tiles())
        DrawTile(dc, tile);
    for (const CExportDialogLayout::SPlacedBitmap& placed : m_layout->PreviewPages(m_options))
        m_bitmaps.at(placed.id)->Draw(dc, placed.at.x, placed.at.y, placed.transparent);
    dc.SetPen(wxNullPen);
    dc.SetBrush(wxNullBrush);
    dc.SetFont(wxNullFont);
}

void CExportDialogBase::DrawGroup(wxDC& dc, const CExportDialogLayout::SGroup& group, const wxFont& bold)
{
    // The frame first: the heading and the tiles cover it, so it only shows around them.
    const SGridRect& f = group.frame;
    dc.SetPen(wxPen(kFramePen));
    dc.SetBrush(*wxWHITE_BRUSH);
    dc.DrawRectangle(f.left, f.top, f.Width(), f.Height());

    const SGridRect& h = group.heading;
    dc.SetPen(wxPen(kHeadingFill));
    dc.SetBrush(wxBrush(kHeadingFill));
    dc.DrawRectangle(h.left, h.top, h.Width(), h.Height());
    dc.SetPen(wxPen(kHeadingLine));
    dc.DrawLine(h.left, h.bottom, h.right, h.bottom);
    const wxFont regular = dc.GetFont();
    dc.SetFont(bold);
    dc.SetTextForeground(kHeadingText);
    dc.DrawText(group.headingText, group.headingTextAt.x, group.headingTextAt.y);
    dc.SetFont(regular);
    dc.SetTextForeground(*wxBLACK);
}

void CExportDialogBase::DrawTile(wxDC& dc, const CExportDialogLayout::STile& tile)
{
    const SGridRect& r = tile.rect;
    dc.SetPen(*wxWHITE_PEN);
    dc.SetBrush(*wxWHITE_BRUSH);
    dc.DrawRectangle(r.left, r.top, r.Width() + 1, r.Height() + 1);
    m_areas.Add(r, 0, tile.group, tile.id);

    const bool hovered = tile.id == m_hover;
    const bool chosen = m_options.GetSelection(tile.group) == tile.id;
    if (hovered || chosen)
    {
        const CExportDialogLayout::SHighlight colours = CExportDialogLayout::Highlight(hovered, chosen);
        const wxRect area(r.left, r.top, r.Width(), r.Height());
        dc.GradientFillLinear(area, Colour(colours.top), Colour(colours.bottom), wxSOUTH);
        dc.SetPen(wxPen(Colour(colours.border)));
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(area);
    }
    m_bitmaps.at(tile.bitmapId)->Draw(dc, tile.bitmapAt.x, tile.bitmapAt.y, true);
    dc.DrawText(tile.line1, tile.line1At.x, tile.line1At.y);
    if (!tile.line2.empty())
        dc.DrawText(tile.line2, tile.line2At.x, tile.line2At.y);
}

void CExportDialogBase::PointerAt(const wxPoint& point)
{
    int tile = -1;
    if (!m_areas.HitTest({point.x, point.y}, nullptr, &tile))
        tile = -1;
    m_hover = tile;
    if (m_hover != m_lastHover)
        Refresh(false);
    m_lastHover = m_hover;
}

void CExportDialogBase::PressAt(const wxPoint& point)
{
    m_hover = -1;
    int group = 0, tile = 0;
    if (m_areas.HitTest({point.x, point.y}, &group, &tile))
    {
        m_options.Select(group, tile);
        Refresh(false);
    }
}

void CExportDialogBase::OnMotion(wxMouseEvent& event)
{
    PointerAt(event.GetPosition());
    event.Skip();
}

void CExportDialogBase::OnLeftDown(wxMouseEvent& event)
{
    PressAt(event.GetPosition());
    event.Skip();
}

wxPoint CExportDialogBase::TileCentre(int tileId) const
{
    for (const CExportDialogLayout::STile& tile : m_layout->Tiles())
        if (tile.id == tileId)
            return {(tile.rect.left + tile.rect.right) / 2, (tile.rect.top + tile.rect.bottom) / 2};
    return {-1, -1};
}

void CExportDialogBase::Export()
{
    if (m_options.GetTarget() == EXPORT_TARGET_CLIPBOARD)
    {
        Finish(wxID_OK);
        return;
    }
    std::wstring path;
    if (!AskFile(&path))
        return; // the dialog stays open
    m_path = path;
    NImageFormat format = IMAGE_FORMAT_PNG;
    if (!m_options.Accept(path, &format))
        return; // offered again as the next initial name
    Accepted(format);
    Finish(wxID_OK);
}

bool CExportDialogBase::AskFile(std::wstring* path)
{
    SFileRequest request;
    request.initialName = m_path.empty() ? Resources::CStringTable::Text(m_options.FallbackNameId())
                                         : CExportFileName::FileName(m_path);
    request.defaultExtension = m_options.DefaultExtension();
    request.wildcard = m_options.Wildcard();

    std::wstring chosen;
    int filterIndex = 0;
    if (Hooks().saveFile)
    {
        if (!Hooks().saveFile(request, &chosen, &filterIndex))
            return false;
    }
    else
    {
        std::filesystem::path folder = std::filesystem::path(m_path).parent_path();
        wxFileDialog dialog(this, wxFileSelectorPromptStr, folder.wstring(), request.initialName,
                            request.wildcard, wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
        if (dialog.ShowModal() != wxID_OK)
            return false;
        chosen = dialog.GetPath().ToStdWstring();
        filterIndex = dialog.GetFilterIndex();
    }
    if (chosen.empty())
        return false;
    // The file dialog may leave the extension off: the chosen filter's, or the default one.
    std::wstring extension = m_options.FilterExtension(filterIndex);
    if (extension.empty())
        extension = request.defaultExtension;
    const std::wstring completed = CExportFileName::WithExtension(chosen, extension);
    // The dialog asked about the name as typed; a completed name that exists is asked about here.
    if (completed != chosen && std::filesystem::exists(std::filesystem::path(completed)) &&
        !ConfirmReplace(completed))
        return false;
    *path = completed;
    return true;
}

bool CExportDialogBase::ConfirmReplace(const std::wstring& path)
{
    const std::wstring question = Resources::CTextFormat::Format(Ids::kExportReplaceFile, {path});
    if (Hooks().confirmReplace)
        return Hooks().confirmReplace(question);
    wxMessageDialog box(this, question, GetTitle(), wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION);
    return box.ShowModal() == wxID_YES;
}

void CExportDialogBase::Finish(int code)
{
    if (IsModal())
        EndModal(code);
    else
    {
        SetReturnCode(code);
        Hide();
    }
}
