#pragma once
// The about box: version, release and build of the program, its description
// and legal text, and those of the loaded language library.

#include <wx/dialog.h>

class CFileVersionInfo;
class wxStaticText;

class CAboutDlg : public wxDialog
{
public:
    /// language: the loaded language library's information, or the program's own.
    CAboutDlg(wxWindow* parent, const CFileVersionInfo& program, const CFileVersionInfo& language);

    /// The text of one of the dialog's fields by control id (110 version,
    /// 112 release, 113 build, 114 encoding, 115 comments, 111 legal text,
    /// 116 description, 117-120 the language library's); empty when absent.
    wxString FieldText(int id) const;
};
