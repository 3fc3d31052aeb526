#pragma once
#include <wx/print.h>

#include "grid/GridCore.h"

/// One print job of a grid as wxWidgets runs it: lays the pages out when the
/// job starts and prints each page through the grid core.
class CGridPrintout : public wxPrintout
{
public:
    /// `texts` (may be null) must outlive the printout.
    CGridPrintout(CGridCore& grid, const wxString& title, const SGridPrintText* texts, bool selectionOnly);

    void OnPreparePrinting() override;
    void GetPageInfo(int* minPage, int* maxPage, int* selPageFrom, int* selPageTo) override;
    bool HasPage(int page) override;
    bool OnPrintPage(int page) override;
    void OnEndPrinting() override;

    /// The pages laid out (0 before the job starts or without a window).
    int GetPageCount() const { return m_pages; }

private:
    SGridSize Paper();

    CGridCore& m_grid;
    const SGridPrintText* m_texts;
    bool m_selectionOnly;
    SGridPrintInfo m_info;
    int m_pages = 0;
};
