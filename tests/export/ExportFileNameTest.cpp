// The export file names: numbered names, the endings the dialogs accept, and
// the extension a file dialog left off.
#include "export/ExportFileName.h"

#include <gtest/gtest.h>

TEST(ExportFileName, NumberGoesBeforeTheExtension)
{
    EXPECT_EQ(CExportFileName::Numbered(L"C:\\data\\run.csv", 1), L"C:\\data\\run1.csv");
    EXPECT_EQ(CExportFileName::Numbered(L"/x/data.csv", 12), L"/x/data12.csv");
    EXPECT_EQ(CExportFileName::Numbered(L"ab", 3), L"3ab");
}

TEST(ExportFileName, GraphicDialogAcceptsThreeEndingsInAnyCase)
{
    const struct
    {
        const wchar_t* path;
        bool accepted;
        NImageFormat format;
    } cases[] = {
        {L"/x/run.bmp", true, IMAGE_FORMAT_BMP},   {L"/x/run.png", true, IMAGE_FORMAT_PNG},
        {L"/x/run.JPG", true, IMAGE_FORMAT_JPG},   {L"/x/Run.Png", true, IMAGE_FORMAT_PNG},
        {L"ab.bmp", true, IMAGE_FORMAT_BMP},       {L"a.png", false, IMAGE_FORMAT_PNG},
        {L"/x/run.jpeg", false, IMAGE_FORMAT_PNG}, {L"/x/run.csv", false, IMAGE_FORMAT_PNG},
        {L"/x/run", false, IMAGE_FORMAT_PNG},
    };
    for (const auto& c : cases)
    {
        NImageFormat format = IMAGE_FORMAT_PNG;
        EXPECT_EQ(CExportFileName::AcceptGraphic(c.path, &format), c.accepted) << c.path;
        EXPECT_EQ(format, c.format) << c.path;
    }
    EXPECT_TRUE(CExportFileName::AcceptCsv(L"/x/data.CSV"));
    EXPECT_FALSE(CExportFileName::AcceptCsv(L"a.csv"));
    EXPECT_FALSE(CExportFileName::AcceptCsv(L"/x/data.txt"));
}

TEST(ExportFileName, ExtensionIsAddedOnlyToANameWithoutOne)
{
    EXPECT_EQ(CExportFileName::WithExtension(L"/x/run", L"png"), L"/x/run.png");
    EXPECT_EQ(CExportFileName::WithExtension(L"/x.y/run", L"csv"), L"/x.y/run.csv");
    EXPECT_EQ(CExportFileName::WithExtension(L"/x/run.jpeg", L"png"), L"/x/run.jpeg");
    EXPECT_EQ(CExportFileName::WithExtension(L"/x/", L"png"), L"/x/");
    EXPECT_EQ(CExportFileName::FileName(L"C:\\data\\run.vnr"), L"C:\\data\\run.vnr");
    EXPECT_EQ(CExportFileName::FileName(L"/home/u/run.vnr"), L"run.vnr");
    EXPECT_EQ(CExportFileName::FileName(L"Unnamed"), L"Unnamed");
}
