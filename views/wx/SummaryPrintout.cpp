#include "views/wx/SummaryPrintout.h"

#include <algorithm>

#include <wx/dc.h>
#include <wx/font.h>

#include "grid/GridDcSurface.h"
#include "views/SummaryPage.h"

CSummaryPrintout::CSummaryPrintout(CSummaryPage& page, int clientWidth)
    : wxPrintout(L"Terrionlink"), m_page(page), m_clientWidth(clientWidth)
{
}

void CSummaryPrintout::GetPageInfo(int* minPage, int* maxPage, int* selPageFrom, int* selPageTo)
{
    *minPage = 1;
    *maxPage = 1;
    *selPageFrom = 1;
    *selPageTo = 1;
}

bool CSummaryPrintout::HasPage(int page)
{
    return page == 1;
}

bool CSummaryPrintout::OnPrintPage(int page)
{
    wxDC* dc = GetDC();
    if (!dc || !dc->IsOk() || !HasPage(page))
        return false;
    const wxFont previous = dc->GetFont();
    wxFont font(wxFontInfo().Family(wxFONTFAMILY_SWISS).FaceName(kFontFace));
    font.SetPixelSize(wxSize(0, kFontHeight));
    dc->SetFont(font);
    const wxSize letters = dc->GetTextExtent(L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    m_margin = letters.GetWidth() / 52;
    dc->SetFont(previous);

    int paperWidth = 0;
    int paperHeight = 0;
    dc->GetSize(&paperWidth, &paperHeight);
    // The page's width and the margin fill the paper's width.
    const int width = std::max(m_page.GetExtent().cx, 1) + m_margin;
    m_scale = static_cast<double>(paperWidth) / width;
    const int height = static_cast<int>(paperHeight / m_scale);
    dc->SetUserScale(m_scale, m_scale);
    dc->SetLogicalOrigin(-m_margin, 0);
    {
        // Straight onto the paper: a printer has nothing to flicker.
        CGridDcSurface surface(*dc, SGridRect{-m_margin, 0, width - m_margin, height}, true);
        m_page.PaintPrinted(surface, m_clientWidth);
    }
    dc->SetLogicalOrigin(0, 0);
    dc->SetUserScale(1.0, 1.0);
    return true;
}
