#pragma once
// A copy of a bitmap that draws itself into a device context, opaque or
// with one colour made transparent: the colour of the picture's top-left
// pixel. The export dialogs draw their tiles and preview sketches with it.
// The copy is a 24-bit wxBitmap; the header and colour table it was made
// with are kept beside it (CDibInfo).

#include "export/DibTypes.h"

#include <memory>
#include <vector>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>

class CDibSectionNP
{
public:
    CDibSectionNP() = default;
    ~CDibSectionNP() { Release(); }
    CDibSectionNP(const CDibSectionNP&) = delete;
    CDibSectionNP& operator=(const CDibSectionNP&) = delete;

    /// Empties the object: the copy, the mask, the memory context, the
    /// header and the colour table.
    void Release();
    /// Makes the copy of bitmap (with its pixels when copyPixels, else
    /// black); false, leaving the object empty, for an invalid bitmap.
    bool LoadFromBitmap(const wxBitmap& bitmap, bool copyPixels = true);
    /// Loads one of the program's bitmaps by resource id; false when there
    /// is none of that id.
    bool LoadResource(unsigned id);

    /// A memory context showing the copy, compatible with dc (the screen's
    /// without one); null when there is no copy. Kept between draws only
    /// with SetKeepMemoryDC.
    wxMemoryDC* GetMemoryDC(wxDC* dc = nullptr);
    /// Builds the mask once: the colour of the pixel (x, y) becomes transparent.
    bool BuildMask(wxDC* dc, int x, int y);
    /// Draws the copy at (x, y); transparent takes the top-left pixel's
    /// colour as the transparent one. False (nothing drawn) when empty.
    bool Draw(wxDC& dc, int x, int y, bool transparent);

    void SetKeepMemoryDC(bool keep) { m_keepMemoryDC = keep; }
    bool IsEmpty() const { return !m_dib.IsOk(); }
    int GetWidth() const { return m_header.biWidth; }
    int GetHeight() const { return m_header.biHeight; }
    const SBitmapInfoHeader& GetHeader() const { return m_header; }
    /// 0, 2, 16 or 256.
    int GetColorCount() const { return static_cast<int>(m_colors.size()); }
    const std::vector<SRgbQuad>& GetColorTable() const { return m_colors; }
    const wxBitmap& GetBitmap() const { return m_dib; }

private:
    void ReleaseMemoryDC();

    wxBitmap m_dib;
    SBitmapInfoHeader m_header;
    std::vector<SRgbQuad> m_colors;
    std::unique_ptr<wxMemoryDC> m_memoryDC;
    bool m_keepMemoryDC = false;
    /// The copy with its mask, made on the first transparent draw.
    wxBitmap m_masked;
};
