#pragma once
// The main frame's progress dialog as the device commands see it: shown,
// moved and painted at every step while the download holds the main loop.

#include "app/connection/DownloadProgress.h"

class CProgressDlg;

class CFrameDownloadProgress : public CDownloadProgress
{
public:
    explicit CFrameDownloadProgress(CProgressDlg& dialog) : m_dialog(dialog) {}

    void ShowProgress(bool show) override;
    void SetProgressPos(int position) override;

private:
    CProgressDlg& m_dialog;
};
