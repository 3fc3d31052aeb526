#include "app/shell/FrameDownloadProgress.h"

#include "app/connection/wx/ProgressRepaint.h"
#include "app/shell/ProgressDlg.h"

void CFrameDownloadProgress::ShowProgress(bool show)
{
    m_dialog.Show(show);
    if (show)
    {
        m_dialog.Raise();
        CProgressRepaint::Now(&m_dialog);
    }
}

void CFrameDownloadProgress::SetProgressPos(int position)
{
    m_dialog.SetPos(position);
    CProgressRepaint::Now(&m_dialog);
}
