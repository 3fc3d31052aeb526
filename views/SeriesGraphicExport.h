#pragma once
// The graphic export of the series grid: the exported series rendered into
// one image per series, into one image of all of them (the heading on top
// only), or onto the clipboard as a bitmap; encoded as BMP, PNG or JPEG and
// written through temporary files. The grid's rows are rearranged for the
// renderings and put back as they were in every case, failures included.

#include "export/ExportTypes.h"

#include <string>

class CGraphicExportGrid;
class CReportExportUi;

class CSeriesGraphicExport
{
public:
    /// The graphic dialog's choices.
    struct SRequest
    {
        NExportContent content = EXPORT_CONTENT_DETAILS;
        NExportTarget target = EXPORT_TARGET_ONE_FILE;
        bool all = false;
        NImageFormat format = IMAGE_FORMAT_PNG;
        std::wstring path;
    };

    /// Runs the export with progress and messages through ui; true when
    /// every image was written (or put on the clipboard).
    static bool Run(CGraphicExportGrid& grid, const SRequest& request, CReportExportUi* ui);
};
