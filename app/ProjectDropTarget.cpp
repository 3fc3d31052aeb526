#include "app/ProjectDropTarget.h"

#include "app/MainFrame.h"

bool CProjectDropTarget::OnDropFiles(wxCoord, wxCoord, const wxArrayString& files)
{
    m_frame.OpenDroppedFiles(files);
    return true;
}
