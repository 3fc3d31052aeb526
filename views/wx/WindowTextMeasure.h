#pragma once
#include "views/TextMeasure.h"

class wxWindow;

/// Measures text in a window's own font, as the window shows it.
class CWindowTextMeasure final : public CTextMeasure
{
public:
    /// `window` must outlive the measurer.
    explicit CWindowTextMeasure(const wxWindow& window) : m_window(window) {}

    int TextWidth(std::wstring_view text) override;
    int AverageCharWidth() override;

private:
    const wxWindow& m_window;
};
