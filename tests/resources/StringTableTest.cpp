// The string table with an installed source in front, and the filling of a
// table text's placeholders.

#include "resources/StringTable.h"
#include "resources/StringIds.h"
#include "resources/TextFormat.h"

#include <gtest/gtest.h>

#include <map>

namespace TerrionTest
{
namespace
{

using Resources::CStringTable;
using Resources::CTextFormat;
namespace Ids = Resources::Ids;

class CMapSource : public Resources::CTextSource
{
public:
    explicit CMapSource(std::map<unsigned, std::wstring> texts) : m_texts(std::move(texts)) {}
    bool Find(unsigned id, std::wstring& text) const override
    {
        const auto it = m_texts.find(id);
        if (it == m_texts.end())
            return false;
        text = it->second;
        return true;
    }

private:
    std::map<unsigned, std::wstring> m_texts;
};

TEST(StringTable, InstalledSourceComesFirstAndFallsBackToTheBuiltInText)
{
    EXPECT_EQ(CStringTable::Text(Ids::kProjectUnnamed), L"Unnamed");
    CStringTable::Install(std::make_shared<CMapSource>(std::map<unsigned, std::wstring>{
        {Ids::kProjectUnnamed, L"Unbenannt"}, {Ids::kReportComment, L"Kommentar"}}));
    EXPECT_EQ(CStringTable::Text(Ids::kProjectUnnamed), L"Unbenannt");
    EXPECT_EQ(CStringTable::Text(Ids::kModeBulk), L"Bulk") << "missing in the source";
    EXPECT_STREQ(CStringTable::BuiltIn(Ids::kReportComment), L"Comment") << "the format's own text stays";
    CStringTable::Install(nullptr);
    EXPECT_EQ(CStringTable::Text(Ids::kProjectUnnamed), L"Unnamed");
    EXPECT_EQ(CStringTable::Text(1), L"") << "an id without text";
}

TEST(TextFormat, FillsPlaceholdersInOrderAndNeverReadsPastTheArguments)
{
    struct SCase
    {
        const wchar_t* pattern;
        std::initializer_list<std::wstring> args;
        const wchar_t* expected;
    };
    const SCase cases[] = {
        {L"Search %s device on %s...",
         {L"Terrion", L"Serial COM3:"},
         L"Search Terrion device on Serial COM3:..."},
        {L"An error (%d) occurred.", {L"7"}, L"An error (7) occurred."},
        {L"%ls and %u", {L"a", L"1"}, L"a and 1"},
        {L"100%% of %s", {L"x"}, L"100% of x"},
        {L"%s %s %s", {L"one"}, L"one  "},
        {L"%x stays, so does a lone %", {}, L"%x stays, so does a lone %"},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(CTextFormat::Substitute(c.pattern, c.args), c.expected) << c.pattern;
    EXPECT_EQ(CTextFormat::Format(Ids::kCreatingFile, {L"/tmp/a.csv"}), L"Creating /tmp/a.csv ...");
}

} // namespace
} // namespace TerrionTest
