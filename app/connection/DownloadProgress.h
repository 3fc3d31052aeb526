#pragma once
// Where the device commands show the progress of a download: the main
// frame's progress dialog (position 0 to 1000).

class CDownloadProgress
{
public:
    virtual ~CDownloadProgress() = default;
    virtual void ShowProgress(bool show) = 0;
    /// Moves the bar and repaints it at once: the download blocks the main loop.
    virtual void SetProgressPos(int position) = 0;
};
