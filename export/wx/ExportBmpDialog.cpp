#include "export/wx/ExportBmpDialog.h"

#include "resources/StringIds.h"

CExportBmpDialog::CExportBmpDialog(wxWindow* parent)
    : CExportDialogBase(parent, CExportOptions::KIND_GRAPHIC, Resources::Ids::kExportGraphicCaption)
{
}
