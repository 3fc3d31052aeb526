#include "export/wx/DibSectionNP.h"

#include "export/DibInfo.h"
#include "resources/BitmapResources.h"

#include <wx/image.h>

void CDibSectionNP::Release()
{
    ReleaseMemoryDC();
    m_masked = wxNullBitmap;
    m_dib = wxNullBitmap;
    m_header = SBitmapInfoHeader{};
    m_colors.clear();
}

void CDibSectionNP::ReleaseMemoryDC()
{
    if (m_memoryDC)
    {
        m_memoryDC->SelectObject(wxNullBitmap);
        m_memoryDC.reset();
    }
}

bool CDibSectionNP::LoadFromBitmap(const wxBitmap& bitmap, bool copyPixels)
{
    Release();
    if (!bitmap.IsOk() || bitmap.GetWidth() <= 0 || bitmap.GetHeight() <= 0)
        return false;
    const int bitCount = bitmap.GetDepth();
    m_header = CDibInfo::MakeHeader(bitmap.GetWidth(), bitmap.GetHeight(), bitCount);
    m_colors = CDibInfo::StandardColorTable(CDibInfo::ColorCount(bitCount));

    wxImage image;
    if (copyPixels)
    {
        image = bitmap.ConvertToImage();
        if (image.HasAlpha())
            image.ClearAlpha(); // the copy is opaque; transparency is the key colour's
    }
    else
    {
        image.Create(bitmap.GetWidth(), bitmap.GetHeight(), true); // black
    }
    m_dib = image.IsOk() ? wxBitmap(image, 24) : wxNullBitmap;
    if (!m_dib.IsOk())
    {
        Release();
        return false;
    }
    return true;
}

bool CDibSectionNP::LoadResource(unsigned id)
{
    const Resources::SBitmapPixels pixels = Resources::CBitmapResources::Pixels(id);
    if (pixels.width <= 0 || pixels.height <= 0)
    {
        Release();
        return false;
    }
    wxImage image(pixels.width, pixels.height, false);
    unsigned char* rgb = image.GetData();
    for (std::uint32_t colour : pixels.pixels)
    {
        *rgb++ = static_cast<unsigned char>(colour & 0xFF);
        *rgb++ = static_cast<unsigned char>((colour >> 8) & 0xFF);
        *rgb++ = static_cast<unsigned char>((colour >> 16) & 0xFF);
    }
    return LoadFromBitmap(wxBitmap(image, 24), true);
}

wxMemoryDC* CDibSectionNP::GetMemoryDC(wxDC* dc)
{
    if (m_keepMemoryDC && m_memoryDC)
        return m_memoryDC.get();
    ReleaseMemoryDC();
    if (!m_dib.IsOk())
        return nullptr;
    m_memoryDC = dc ? std::make_unique<wxMemoryDC>(dc) : std::make_unique<wxMemoryDC>();
    m_memoryDC->SelectObject(m_dib);
    if (!m_memoryDC->IsOk())
    {
        m_memoryDC.reset();
        return nullptr;
    }
    return m_memoryDC.get();
}

bool CDibSectionNP::BuildMask(wxDC* /*dc*/, int x, int y)
{
    if (m_masked.IsOk())
        return true;
    if (!m_dib.IsOk())
        return false;
    // The key colour is read from the picture itself, so the mask follows
    // whatever colour its corner has.
    const wxImage image = m_dib.ConvertToImage();
    if (!image.IsOk() || x < 0 || y < 0 || x >= image.GetWidth() || y >= image.GetHeight())
        return false;
    const wxColour key(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
    m_masked = wxBitmap(image, 24);
    m_masked.SetMask(new wxMask(m_masked, key));
    return m_masked.IsOk();
}

bool CDibSectionNP::Draw(wxDC& dc, int x, int y, bool transparent)
{
    if (!m_dib.IsOk())
        return false;
    if (transparent)
    {
        // The top-left pixel gives the transparent colour.
        if (!BuildMask(&dc, 0, 0))
            return false;
        dc.DrawBitmap(m_masked, x, y, true);
        return true;
    }
    wxMemoryDC* memory = GetMemoryDC(&dc);
    if (!memory)
        return false;
    const bool done = dc.Blit(x, y, m_dib.GetWidth(), m_dib.GetHeight(), memory, 0, 0, wxCOPY);
    if (!m_keepMemoryDC)
        ReleaseMemoryDC();
    return done;
}
