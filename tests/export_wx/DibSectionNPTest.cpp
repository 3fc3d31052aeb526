// The DIB-section copy: pixel-exact opaque draws, the top-left pixel's
// colour made transparent, an empty copy that draws nothing; and a rendered
// bitmap turned into an image for the encoders.
#include "export/wx/DibSectionNP.h"
#include "export/Picture.h"
#include "export/wx/BitmapPicture.h"
#include "resources/BitmapResources.h"
#include "resources/ExportIllustrations.h"

#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

namespace TerrionTest
{
namespace
{

wxColour At(const wxBitmap& bitmap, int x, int y)
{
    const wxImage image = bitmap.ConvertToImage();
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

wxColour FromPixel(std::uint32_t p)
{
    return wxColour(p & 0xFF, (p >> 8) & 0xFF, (p >> 16) & 0xFF);
}

wxBitmap Filled(int width, int height, const wxColour& colour)
{
    wxBitmap bitmap(width, height, 24);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(wxBrush(colour));
    dc.Clear();
    dc.SelectObject(wxNullBitmap);
    return bitmap;
}

} // namespace

TEST(DibSectionNP, ResourceBitmapDrawsPixelExact)
{
    using Resources::CExportIllustrations;
    CDibSectionNP dib;
    ASSERT_TRUE(dib.LoadResource(CExportIllustrations::kPreviewShadedDetails));
    EXPECT_EQ(dib.GetWidth(), 52);
    EXPECT_EQ(dib.GetHeight(), 21);
    EXPECT_EQ(dib.GetHeader().biBitCount, 24);
    EXPECT_EQ(dib.GetHeader().biSizeImage, 156u * 21);
    EXPECT_EQ(dib.GetColorCount(), 0); // a 24-bit copy has no colour table

    wxBitmap target = Filled(60, 30, *wxBLACK);
    {
        wxMemoryDC dc(target);
        ASSERT_TRUE(dib.Draw(dc, 3, 4, false));
    }
    const auto pixels = Resources::CBitmapResources::Pixels(CExportIllustrations::kPreviewShadedDetails);
    const wxImage drawn = target.ConvertToImage();
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 52; ++x)
        {
            const wxColour expected = FromPixel(pixels.pixels[static_cast<std::size_t>(y * 52 + x)]);
            ASSERT_EQ(wxColour(drawn.GetRed(x + 3, y + 4), drawn.GetGreen(x + 3, y + 4),
                               drawn.GetBlue(x + 3, y + 4)),
                      expected)
                << x << "," << y;
        }
    EXPECT_EQ(At(target, 2, 4), *wxBLACK);
    EXPECT_EQ(At(target, 55, 25), *wxBLACK);
}

TEST(DibSectionNP, TheTopLeftColourShowsTheTarget)
{
    // White ground with a blue square: every white pixel lets the target through.
    wxBitmap source = Filled(10, 10, *wxWHITE);
    {
        wxMemoryDC dc(source);
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(*wxBLUE_BRUSH);
        dc.DrawRectangle(3, 3, 4, 4);
    }
    CDibSectionNP dib;
    ASSERT_TRUE(dib.LoadFromBitmap(source));
    wxBitmap target = Filled(20, 20, *wxGREEN);
    {
        wxMemoryDC dc(target);
        ASSERT_TRUE(dib.Draw(dc, 5, 5, true));
        ASSERT_TRUE(dib.Draw(dc, 5, 5, true)); // the mask is built once and kept
    }
    EXPECT_EQ(At(target, 5, 5), *wxGREEN);
    EXPECT_EQ(At(target, 14, 14), *wxGREEN);
    EXPECT_EQ(At(target, 9, 9), *wxBLUE);
    EXPECT_EQ(At(target, 8, 8), *wxBLUE);

    // A tile's key is its own corner colour.
    CDibSectionNP tile;
    ASSERT_TRUE(tile.LoadResource(Resources::CExportIllustrations::kOneImageTile));
    wxBitmap yellow = Filled(100, 60, *wxYELLOW);
    {
        wxMemoryDC dc(yellow);
        ASSERT_TRUE(tile.Draw(dc, 0, 0, true));
    }
    const auto pixels = Resources::CBitmapResources::Pixels(Resources::CExportIllustrations::kOneImageTile);
    int keyed = 0;
    for (int y = 0; y < 58; ++y)
        for (int x = 0; x < 93; ++x)
        {
            const std::uint32_t p = pixels.pixels[static_cast<std::size_t>(y * 93 + x)];
            const wxColour expected = p == pixels.pixels.front() ? *wxYELLOW : FromPixel(p);
            keyed += p == pixels.pixels.front();
            ASSERT_EQ(At(yellow, x, y), expected) << x << "," << y;
        }
    EXPECT_GT(keyed, 0);
}

TEST(DibSectionNP, EmptyCopyDrawsNothing)
{
    CDibSectionNP dib;
    wxBitmap target = Filled(8, 8, *wxRED);
    {
        wxMemoryDC dc(target);
        EXPECT_FALSE(dib.Draw(dc, 0, 0, false));
        EXPECT_FALSE(dib.Draw(dc, 0, 0, true));
        EXPECT_EQ(dib.GetMemoryDC(&dc), nullptr);
    }
    EXPECT_EQ(At(target, 0, 0), *wxRED);
    EXPECT_FALSE(dib.LoadResource(1));
    EXPECT_TRUE(dib.IsEmpty());
    EXPECT_FALSE(dib.LoadFromBitmap(wxNullBitmap));
    EXPECT_EQ(dib.GetWidth(), 0);

    // Loaded and released again.
    ASSERT_TRUE(dib.LoadFromBitmap(Filled(4, 3, *wxBLUE), false));
    EXPECT_EQ(At(dib.GetBitmap(), 1, 1), *wxBLACK); // without its pixels: black, not whatever memory held
    dib.SetKeepMemoryDC(true);
    wxMemoryDC* kept = dib.GetMemoryDC();
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(dib.GetMemoryDC(), kept);
    dib.Release();
    EXPECT_TRUE(dib.IsEmpty());
    EXPECT_EQ(dib.GetHeader().biSize, 0u);
}

TEST(BitmapPicture, RowsBottomUpInBlueGreenRed)
{
    wxImage image(3, 2);
    image.SetRGB(0, 0, 10, 20, 30); // top left
    image.SetRGB(2, 1, 40, 50, 60); // bottom right
    CPicture picture;
    ASSERT_TRUE(CBitmapPicture::CreateFromBitmap(picture, wxBitmap(image, 24)));
    EXPECT_EQ(picture.GetBpp(), 24);
    EXPECT_EQ(picture.GetWidth(), 3u);
    EXPECT_EQ(picture.GetRowStride(), 12u);
    const std::uint8_t* top = picture.GetRowBits(1);
    EXPECT_EQ(top[0], 30);
    EXPECT_EQ(top[1], 20);
    EXPECT_EQ(top[2], 10);
    const std::uint8_t* bottom = picture.GetRowBits(0);
    EXPECT_EQ(bottom[6], 60);
    EXPECT_EQ(bottom[8], 40);
    EXPECT_EQ(bottom[9], 0); // padding

    EXPECT_FALSE(CBitmapPicture::CreateFromBitmap(picture, wxNullBitmap));
    EXPECT_FALSE(picture.IsValid());
}

} // namespace TerrionTest
