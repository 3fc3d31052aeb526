#include "export/wx/BitmapPicture.h"

#include "export/Picture.h"

#include <wx/image.h>

bool CBitmapPicture::CreateFromBitmap(CPicture& picture, const wxBitmap& bitmap)
{
    picture.Destroy();
    if (!bitmap.IsOk() || bitmap.GetWidth() <= 0 || bitmap.GetHeight() <= 0)
        return false;
    const wxImage image = bitmap.ConvertToImage();
    if (!image.IsOk())
        return false;
    const auto width = static_cast<std::uint32_t>(image.GetWidth());
    const auto height = static_cast<std::uint32_t>(image.GetHeight());
    if (!picture.Create(width, height, 24, IMAGE_TYPE_UNKNOWN))
        return false;
    const unsigned char* rgb = image.GetData();
    for (std::uint32_t y = 0; y < height; ++y)
    {
        std::uint8_t* row = picture.GetRowBits(height - 1 - y); // rows bottom up
        for (std::uint32_t x = 0; x < width; ++x, rgb += 3)
        {
            row[3 * x] = rgb[2];
            row[3 * x + 1] = rgb[1];
            row[3 * x + 2] = rgb[0];
        }
    }
    return true;
}
