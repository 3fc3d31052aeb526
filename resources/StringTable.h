#pragma once
#include <memory>
#include <string>

#include "resources/TextSource.h"

namespace Resources
{

/// The program's string table: the built-in English texts by id, with one
/// installable source (the loaded language library) in front of them.
/// Safe to call from any thread.
class CStringTable
{
public:
    /// The text under `id`: from the installed source when it has one, else
    /// the built-in text, else an empty text.
    static std::wstring Text(unsigned id);

    /// The built-in text under `id`, or nullptr when the table has none.
    static const wchar_t* BuiltIn(unsigned id);

    /// Whether the installed source or the built-in table has a text for `id`.
    static bool Has(unsigned id);

    /// Puts `source` in front of the built-in texts (nullptr removes it).
    static void Install(std::shared_ptr<const CTextSource> source);

    /// The source installed now, or nullptr.
    static std::shared_ptr<const CTextSource> Installed();
};

} // namespace Resources
