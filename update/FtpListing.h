#pragma once
// The folder listings of the download server as text: the lines of an MLSD
// listing ("type=file;size=12;modify=...; name") or of a Unix LIST ("-rw-r--r--
// 1 owner group 1234 Dec 10 15:00 name"), turned into the files they name.
// The body comes from the server, so every line is taken as it stands and
// only plain files with a readable size and a safe name are kept.

#include "update/FtpClient.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Update
{

class CFtpListing
{
public:
    /// One MLSD line: true for a file with a size.
    static bool ParseMlsdLine(const std::string& line, std::string& name, std::uint64_t& size);
    /// One LIST line: true for a plain file with a decimal size.
    static bool ParseListLine(const std::string& line, std::string& name, std::uint64_t& size);
    /// The files of a listing body (lines end in LF or CR LF) whose names are
    /// safe (CFtpClient::IsSafeFileName) and match pattern, in listing order.
    static std::vector<SFtpEntry> Parse(const std::string& body, bool machine, const std::wstring& pattern);
};

} // namespace Update
