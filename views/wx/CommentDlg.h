#pragma once
// The dialog that edits a comment: the comment of one series or the
// summary's. Line breaks come back as CR LF.

#include <wx/dialog.h>

#include <functional>
#include <string>

class wxTextCtrl;

class CCommentDlg : public wxDialog
{
public:
    explicit CCommentDlg(wxWindow* parent);

    /// The text shown at the start.
    void SetComment(const std::wstring& text) { m_comment = text; }
    /// The text as the dialog ended (for OK and Cancel alike).
    std::wstring GetComment() const { return m_comment; }

    /// Shows the dialog; wxID_OK or wxID_CANCEL.
    int ShowModal() override;

    /// Answers the dialog in place of the user while set (tests): called with
    /// the dialog as it is shown, returns the button that ends it.
    using TTestHook = std::function<int(CCommentDlg& dialog)>;
    static void SetTestHook(TTestHook hook);

    wxTextCtrl* Edit() const { return m_edit; }

private:
    /// The edit gets the comment and the focus, the caret goes to its end.
    void Start();
    /// The edit's text becomes the comment.
    void Finish();

    wxTextCtrl* m_edit = nullptr;
    std::wstring m_comment;
};
