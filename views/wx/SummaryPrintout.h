#pragma once
#include <wx/print.h>

class CSummaryPage;

/// The summary page printed on one sheet: the page as the screen lays it
/// out, scaled to the paper's width with a margin of one average character
/// of the print font on the left; what lies below the sheet is cut off.
class CSummaryPrintout : public wxPrintout
{
public:
    /// The print font's face and height (pixels of the printer).
    static constexpr const wchar_t* kFontFace = L"Arial";
    static constexpr int kFontHeight = 11;

    /// `page` must outlive the printout; `clientWidth` is the width of the
    /// window that shows it.
    CSummaryPrintout(CSummaryPage& page, int clientWidth);

    void GetPageInfo(int* minPage, int* maxPage, int* selPageFrom, int* selPageTo) override;
    bool HasPage(int page) override;
    bool OnPrintPage(int page) override;

    /// The average character width of the print font on the last page printed.
    int GetMargin() const { return m_margin; }
    /// The scale from the page to the paper on the last page printed.
    double GetScale() const { return m_scale; }

private:
    CSummaryPage& m_page;
    int m_clientWidth;
    int m_margin = 0;
    double m_scale = 1.0;
};
