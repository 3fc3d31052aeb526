// The print job of the grid window: which rows, the print dialog and the
// printer running the grid's pages.
#include <wx/msgdlg.h>
#include <wx/print.h>
#include <wx/printdlg.h>

#include "grid/GridCtrl.h"
#include "grid/GridPrintTexts.h"
#include "grid/GridPrintout.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"

namespace
{

wxString TableText(unsigned id)
{
    return wxString(Resources::CStringTable::Text(id));
}

} // namespace

std::wstring CGridCtrl::HostParentCaption() const
{
    for (const wxWindow* window = GetParent(); window; window = window->GetParent())
    {
        const wxString caption = window->GetLabel();
        if (!caption.empty())
            return caption.ToStdWstring();
    }
    return std::wstring();
}

bool CGridCtrl::HasSelectedPrintRows() const
{
    for (int row = GetFixedRowCount(); row < GetRowCount(); ++row)
        if (CGridPrintLayout::IsRowPrinted(*this, row, true))
            return true;
    return false;
}

CGridCtrl::NPrintRows CGridCtrl::AskPrintRows()
{
    // GTK's print dialog offers no "selection" range, so the choice comes first.
    wxMessageDialog question(wxGetTopLevelParent(this), TableText(Resources::Ids::kGridPrintWhichRows),
                             TableText(Resources::Ids::kGridPrintCaption),
                             wxYES_NO | wxCANCEL | wxYES_DEFAULT | wxICON_QUESTION);
    question.SetYesNoCancelLabels(TableText(Resources::Ids::kGridPrintAllRows),
                                  TableText(Resources::Ids::kGridPrintSelectedRows), wxID_CANCEL);
    switch (question.ShowModal())
    {
    case wxID_YES:
        return NPrintRows::All;
    case wxID_NO:
        return NPrintRows::Selected;
    default:
        return NPrintRows::Cancel;
    }
}

bool CGridCtrl::Print(wxPrintDialogData* dialog, const SGridPrintText* texts)
{
    bool selectionOnly = false;
    wxPrintDialogData data;
    if (dialog)
    {
        data = *dialog;
        selectionOnly = dialog->GetSelection();
    }
    else
    {
        if (HasSelectedPrintRows())
        {
            const NPrintRows rows = AskPrintRows();
            if (rows == NPrintRows::Cancel)
                return false;
            selectionOnly = rows == NPrintRows::Selected;
        }
        data.SetAllPages(true);
        data.EnablePageNumbers(false);
        data.EnableSelection(false);
        data.EnablePrintToFile(false);
    }

    std::wstring name = CGridPrintTexts::AppTitle();
    if (name.empty())
        name = HostParentCaption();
    CGridPrintout printout(*this, wxString(name), texts, selectionOnly);
    wxPrinter printer(&data);
    // A cancelled dialog prints nothing; a failing job is ended by the printer.
    const bool printed = printer.Print(wxGetTopLevelParent(this), &printout, dialog == nullptr);
    if (dialog && printed)
        *dialog = printer.GetPrintDialogData();
    return printed;
}
