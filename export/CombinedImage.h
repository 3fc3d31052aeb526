#pragma once
// One image made of bands stacked top down: the rendered series of a graphic
// export to one file. The image starts white, so rows that no band reaches
// hold a defined colour; a band never writes past the image's bottom or
// right edge, and a band of another width or pixel format is converted
// rather than left out.

#include "export/Picture.h"

#include <cstdint>

class CCombinedImage
{
public:
    /// Allocates a white 24-bit image of width x height pixels; false when
    /// it cannot be allocated (Picture().GetLastError() says why).
    bool Create(std::uint32_t width, std::uint32_t height);
    /// Copies band directly below the bands before it; returns the number of
    /// its rows that fit.
    std::uint32_t AddBand(const CPicture& band);
    /// Leaves `height` rows white (a band that could not be rendered).
    void Skip(std::uint32_t height);

    /// Rows from the top that bands have taken.
    std::uint32_t GetFilled() const { return m_filled; }
    CPicture& Picture() { return m_image; }
    const CPicture& Picture() const { return m_image; }

private:
    CPicture m_image;
    std::uint32_t m_filled = 0;
};
