#pragma once
// The progress window the pages' exports show, as the views see it: a
// progress dialog owned by the page, shown at once and destroyed with this
// object, which then gives the keyboard back to the window that had it.

#include "app/shell/FocusReturn.h"
#include "views/wx/ViewProgress.h"

class CProgressDlg;
class wxWindow;

class CPageProgress : public CViewProgress
{
public:
    explicit CPageProgress(wxWindow* owner);
    ~CPageProgress() override;
    CPageProgress(const CPageProgress&) = delete;
    CPageProgress& operator=(const CPageProgress&) = delete;

    void SetPos(int position) override;
    void SetText(const std::wstring& text) override;

private:
    CFocusReturn m_focusReturn; // goes after the dialog
    CProgressDlg* m_dialog = nullptr;
};
