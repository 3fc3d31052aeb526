#pragma once
// The file names of the exports: which names the export dialogs accept, the
// extension a file dialog left off, and the numbered names of "each object
// to a separate file".

#include "export/ExportTypes.h"

#include <string>

class CExportFileName
{
public:
    /// The path without its last four characters, the number in decimal, and
    /// those four characters: run.csv and 2 give run2.csv.
    static std::wstring Numbered(const std::wstring& path, int number);
    /// A graphic file name is accepted when it is longer than five characters
    /// and ends in .bmp, .png or .jpg (any letter case); format then holds
    /// the format of that ending.
    static bool AcceptGraphic(const std::wstring& path, NImageFormat* format);
    /// The same for a CSV file name: only the ending .csv.
    static bool AcceptCsv(const std::wstring& path);
    /// The path with "." and extension added when its file name has no
    /// extension at all (some file dialogs do not add the default one).
    static std::wstring WithExtension(const std::wstring& path, const std::wstring& extension);
    /// The file name with its extension: what follows the last '/' (a
    /// backslash is an ordinary character of a Linux file name).
    static std::wstring FileName(const std::wstring& path);
};
