#include "export/wx/ExportCsvDialog.h"

#include "resources/StringIds.h"

CExportCsvDialog::CExportCsvDialog(wxWindow* parent)
    : CExportDialogBase(parent, CExportOptions::KIND_CSV, Resources::Ids::kExportCsvCaption)
{
}
