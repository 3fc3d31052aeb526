#pragma once
// The CSV/text export's options: the target (one file, one file per series,
// the clipboard) and which series (all or the selection).

#include "export/wx/ExportDialogBase.h"

class CExportCsvDialog : public CExportDialogBase
{
public:
    explicit CExportCsvDialog(wxWindow* parent);
};
