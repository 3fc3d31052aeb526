#pragma once
#include <ctime>
#include <string>

#include "grid/GridPrintText.h"

/// The texts a printed page's header and footer show, from the caller's
/// record or, without one, the grid's own.
class CGridPrintTexts
{
public:
    /// The application title string; empty when the string table has none.
    static std::wstring AppTitle();
    /// "Page n of m" from the record's page format, or the grid's own.
    static std::wstring PageText(const SGridPrintText* texts, int page, int count);
    /// The print date and time: the record's date and time pictures in the
    /// invariant locale, joined by a blank; without a record the date and
    /// time as the user's locale writes them.
    static std::wstring DateTimeText(const SGridPrintText* texts, const std::tm& now);
};
