#pragma once
#include <initializer_list>
#include <string>

namespace Resources
{

/// Fills the placeholders of a table text. A translated text is never handed
/// to printf: its placeholders ("%s", "%ls", "%d", "%u") are replaced in order
/// by ready-made argument texts, "%%" gives one '%', and a placeholder
/// without an argument becomes empty. So a translation with a wrong
/// placeholder shows a wrong text, never reads memory it should not.
class CTextFormat
{
public:
    static std::wstring Substitute(const std::wstring& pattern, std::initializer_list<std::wstring> args);
    /// Substitute over the string table's text under id.
    static std::wstring Format(unsigned id, std::initializer_list<std::wstring> args);
};

} // namespace Resources
