#pragma once
// The texts of the file, directory and login commands and the parsing of
// their answers: pure functions, so the I/O in CVnCommands only moves bytes.
//
// Names go into the commands between double quotes, as 8-bit Windows-1252
// text with every backslash doubled. A name holding a double quote, a
// control character or a character the code page lacks is refused: it would
// end the quoted text early or name another file. Passwords have their
// backslashes doubled and their quotes escaped with a backslash.
//
// Directory answer: eight hexadecimal digits giving the length of the rest,
// ';', then the listing (whose last ';' is dropped).
// Login answer: "user;rights" or ";rights" (rights decimal).

#include "device/LoginInfo.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Device
{

class CFileCommandText
{
public:
    /// Longest name that a move takes.
    static constexpr std::size_t kMaxMoveName = 256;

    /// The quoted-name form of a file name; none when it must be refused.
    static std::optional<std::string> EscapeName(const std::wstring& name);
    /// A password with backslashes doubled and quotes escaped; none when refused.
    static std::optional<std::string> EscapePassword(const std::wstring& password);
    /// A user name as it stands (not escaped); none when it holds a quote or a control character.
    static std::optional<std::string> UserName(const std::wstring& user);

    /// "DIRS %04X".
    static std::string DirectoryCommand(std::uint16_t selector);
    /// Checks a directory answer and gives its listing.
    static bool ParseDirectory(std::string_view answer, std::wstring& listing);
    /// Takes user name and rights out of a login answer.
    static bool ParseLogin(std::string_view answer, SLoginInfo& info);
};

} // namespace Device
