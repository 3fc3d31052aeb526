#include "app/FrameDownloadProgress.h"

#include "app/ProgressDlg.h"
#include "app/ProgressRepaint.h"

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
