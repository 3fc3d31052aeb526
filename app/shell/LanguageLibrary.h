#pragma once
// Loading a language library and offering its texts in front of the
// built-in string table. A library once loaded stays loaded until the
// process ends, as the texts it hands out point into it.

#include "resources/TextSource.h"

#include <memory>
#include <string>

class CFileVersionInfo;

class CLanguageLibrary
{
public:
    /// Whether the library's product version has the program's major and minor parts.
    static bool VersionMatches(const CFileVersionInfo& library, const CFileVersionInfo& program);

    /// Whether path names a language library: its file name is
    /// "TerrionLink_XX.so" (exact case, XX not empty). The folders do not
    /// count, so a program in a folder with ".so" in its name is no library.
    static bool IsLibraryName(const std::wstring& path);

    /// Loads the library at path when its version record matches the
    /// program's and it exports a valid table; nullptr otherwise.
    static std::shared_ptr<const Resources::CTextSource> Load(const std::wstring& path,
                                                              const CFileVersionInfo& program);
};
