// The printed series grid's header and footer texts.
#include "views/SeriesPrintText.h"

#include "data/TerrionDoc.h"
#include "streams/FileVersionInfo.h"
#include "tests/report/ReportDocument.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace TerrionTest
{

TEST(SeriesPrintText, HeaderFooterAndDatePatterns)
{
    CFileVersionInfo program;
    ASSERT_TRUE(program.Create(nullptr)); // the test program carries a version record
    CTerrionDoc doc;
    FillDocument(doc, {BaseSeries()});
    const std::uint32_t dtFormat = 0x0302; // date pattern 3, time pattern 2
    SGridPrintText text = CSeriesPrintText::Make(doc, program, dtFormat);
    EXPECT_EQ(text.headerLeft, L"Varnel");
    EXPECT_EQ(text.headerCenter, L"Terrion measurement series");
    const auto part = [&](int i) { return std::to_wstring(program.GetProductVersionPart(i)); };
    EXPECT_EQ(text.headerRight,
              L"TerrionLink Version " + part(3) + L"." + part(2) + L"." + part(1) + L"." + part(0));
    EXPECT_EQ(text.pageFormat, 1801u);
    EXPECT_EQ(text.footerCenter, L"Unnamed");
    EXPECT_EQ(text.dateFormat, 1805u);
    EXPECT_EQ(text.timeFormat, 1808u);

    // A saved project prints its file's name; without version information
    // the grid's own title takes the header's right.
    CTempDir dir;
    const auto path = dir / "run.vnr";
    ASSERT_TRUE(doc.SaveFile(path.wstring()));
    CTerrionDoc saved;
    ASSERT_TRUE(saved.Open(path.wstring(), false));
    text = CSeriesPrintText::Make(saved, CFileVersionInfo(), 0);
    EXPECT_EQ(text.footerCenter, L"run.vnr");
    EXPECT_TRUE(text.headerRight.empty());

    CTerrionDoc empty;
    EXPECT_TRUE(CSeriesPrintText::Make(empty, program, 0).footerCenter.empty());
}

} // namespace TerrionTest
