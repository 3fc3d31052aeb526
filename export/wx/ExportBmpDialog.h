#pragma once
// The graphic export's options: what of each series (headers only, as is,
// headers and details), the target (one image, one image per series, the
// clipboard) and which series (all or the selection), with the file's
// format taken from the accepted name's extension.

#include "export/wx/ExportDialogBase.h"

class CExportBmpDialog : public CExportDialogBase
{
public:
    explicit CExportBmpDialog(wxWindow* parent);

    NExportContent GetContent() const { return m_options.GetContent(); }
    /// From the accepted file name; PNG when the target is the clipboard.
    NImageFormat GetImageFormat() const { return m_format; }

private:
    void Accepted(NImageFormat format) override { m_format = format; }

    NImageFormat m_format = IMAGE_FORMAT_PNG;
};
