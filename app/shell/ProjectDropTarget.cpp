#include "app/shell/ProjectDropTarget.h"

#include "app/shell/MainFrame.h"

bool CProjectDropTarget::OnDropFiles(wxCoord, wxCoord, const wxArrayString& files)
{
    m_frame.OpenDroppedFiles(files);
    return true;
}
