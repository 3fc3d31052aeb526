#pragma once
// What the series page's exports ask of their window: progress (0-1000 and
// a line of text), messages, the question when a file cannot be created,
// and the clipboard. The defaults show nothing, abort, and leave the
// clipboard alone.

#include "platform/ClipboardData.h"
#include "resources/MessageKind.h"

#include <string>

class CReportExportUi
{
public:
    /// Answers to a numbered file that cannot be created.
    enum NFileAnswer
    {
        FILE_ABORT = 0,  ///< write no further file
        FILE_RETRY = 1,  ///< the same series again, under the next number
        FILE_IGNORE = 2, ///< go on with the next series
    };

    virtual ~CReportExportUi() = default;
    virtual void SetProgress(int /*position*/) {}
    virtual void SetProgressText(const std::wstring& /*text*/) {}
    /// A message box of that kind with OK (the one export file cannot be created).
    virtual void ShowMessage(Resources::NMessageKind /*kind*/, const std::wstring& /*text*/) {}
    /// A message box with OK and no icon (the graphic export's failures).
    virtual void ShowNotice(const std::wstring& /*text*/) {}
    /// A numbered export file cannot be created: an error box with Abort,
    /// Retry and Ignore.
    virtual NFileAnswer AskFileFailed(const std::wstring& /*message*/) { return FILE_ABORT; }
    /// Replaces the clipboard's content with every format of data at once;
    /// false when the clipboard cannot be opened or set.
    virtual bool PutOnClipboard(const Platform::CClipboardData& /*data*/) { return false; }
};
