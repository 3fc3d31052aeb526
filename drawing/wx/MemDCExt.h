#pragma once
#include <memory>

#include <wx/bitmap.h>
#include <wx/dc.h>
#include <wx/dcmemory.h>
#include <wx/gdicmn.h>

/// An off-screen drawing of an area of a target DC that shows all at once:
/// draw into GetDC() at the target's logical coordinates, and the destructor
/// copies the whole area to the target in one blit, so a paint routine puts
/// every pixel on the screen once. On a printer or PostScript DC there is
/// nothing to flicker: GetDC() is the target itself. Either way the area
/// starts filled with the target's background colour.
class CMemDCExt
{
public:
    /// `area` in the target's logical units; none takes the target's clip box.
    explicit CMemDCExt(wxDC& target, const wxRect* area = nullptr);
    ~CMemDCExt();
    CMemDCExt(const CMemDCExt&) = delete;
    CMemDCExt& operator=(const CMemDCExt&) = delete;

    /// Where to draw.
    wxDC& GetDC();
    bool IsOffScreen() const { return m_memory != nullptr; }
    const wxRect& GetArea() const { return m_area; }

private:
    wxDC& m_target;
    wxRect m_area;
    wxBitmap m_bitmap;
    std::unique_ptr<wxMemoryDC> m_memory;
};
