#pragma once
#include <string>

/// A font description (what LOGFONT holds for the grid): the surface makes
/// the font from it. An empty face and height 0 mean the system's GUI font.
struct SGridFont
{
    std::wstring face;
    int height = 0; ///< character height in pixels; 0 = the default size
    int weight = 400;
    bool italic = false;
    bool underline = false;
    int escapement = 0; ///< tenths of a degree; 900 and -900 turn the text

    friend bool operator==(const SGridFont&, const SGridFont&) = default;
};
