#pragma once
// Files dropped on the main frame: handed to the frame, which opens a project.

#include <wx/dnd.h>

class CMainFrame;

class CProjectDropTarget : public wxFileDropTarget
{
public:
    explicit CProjectDropTarget(CMainFrame& frame) : m_frame(frame) {}
    bool OnDropFiles(wxCoord x, wxCoord y, const wxArrayString& files) override;

private:
    CMainFrame& m_frame;
};
