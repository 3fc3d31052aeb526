#pragma once
#include <string>

namespace Resources
{

/// A source of translated texts put in front of the built-in string table
/// (a language library). A text it lacks falls back to the built-in one.
class CTextSource
{
public:
    virtual ~CTextSource() = default;

    /// The text under `id`, or false when this source has none.
    virtual bool Find(unsigned id, std::wstring& text) const = 0;
};

} // namespace Resources
