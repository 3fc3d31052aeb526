#include "grid/GridPrintTexts.h"

#include <cwchar>

#include "platform/DatePicture.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "resources/TextFormat.h"

namespace
{

/// The framework's string id of the application title.
constexpr unsigned kAppTitleStringId = 0xE000;

} // namespace

std::wstring CGridPrintTexts::AppTitle()
{
    if (!Resources::CStringTable::Has(kAppTitleStringId))
        return std::wstring();
    return Resources::CStringTable::Text(kAppTitleStringId);
}

std::wstring CGridPrintTexts::PageText(const SGridPrintText* texts, int page, int count)
{
    const unsigned id = texts ? texts->pageFormat : Resources::Ids::kGridPageOfPages;
    return Resources::CTextFormat::Format(id, {std::to_wstring(page), std::to_wstring(count)});
}

std::wstring CGridPrintTexts::DateTimeText(const SGridPrintText* texts, const std::tm& now)
{
    if (texts)
        return CDatePicture::Format(Resources::CStringTable::Text(texts->dateFormat), now) + L" " +
               CDatePicture::Format(Resources::CStringTable::Text(texts->timeFormat), now);
    wchar_t buffer[128] = {};
    if (std::wcsftime(buffer, sizeof(buffer) / sizeof(buffer[0]), L"%x %X", &now) == 0)
        return std::wstring();
    return buffer;
}
