#include "grid/GridDrawText.h"

#include <string>
#include <vector>

#include "grid/GridConstants.h"

namespace
{

/// The longest head of `line` that fits `width` with "..." after it.
std::wstring WithEllipsis(CGridSurface& dc, std::wstring_view line, int width)
{
    if (dc.GetTextExtent(line).cx <= width)
        return std::wstring(line);
    for (std::size_t n = line.size(); n-- > 0;)
    {
        std::wstring head(line.substr(0, n));
        head += L"...";
        if (dc.GetTextExtent(head).cx <= width)
            return head;
    }
    return std::wstring();
}

/// Breaks a paragraph between words so that each line fits `width`; a word
/// wider than that keeps a line of its own.
void WrapWords(CGridSurface& dc, std::wstring_view paragraph, int width, std::vector<std::wstring>& lines)
{
    std::wstring line;
    std::size_t pos = 0;
    while (pos <= paragraph.size())
    {
        std::size_t end = paragraph.find(L' ', pos);
        if (end == std::wstring_view::npos)
            end = paragraph.size();
        const std::wstring_view word = paragraph.substr(pos, end - pos);
        std::wstring candidate = line.empty() ? std::wstring(word) : line + L" " + std::wstring(word);
        if (!line.empty() && dc.GetTextExtent(candidate).cx > width)
        {
            lines.push_back(line);
            line.assign(word);
        }
        else
            line = std::move(candidate);
        pos = end + 1;
    }
    lines.push_back(line);
}

} // namespace

void CGridDrawText::Draw(CGridSurface& dc, std::wstring_view text, const SGridRect& rect, unsigned format)
{
    if (text.empty())
        return;
    const int width = rect.Width();
    std::vector<std::wstring> lines;
    if (format & DT_SINGLELINE)
        lines.emplace_back(text);
    else
    {
        std::size_t start = 0;
        for (;;)
        {
            const std::size_t end = text.find(L'\n', start);
            std::wstring_view paragraph =
                text.substr(start, (end == std::wstring_view::npos ? text.size() : end) - start);
            if (!paragraph.empty() && paragraph.back() == L'\r')
                paragraph.remove_suffix(1);
            if (format & DT_WORDBREAK)
                WrapWords(dc, paragraph, width, lines);
            else
                lines.emplace_back(paragraph);
            if (end == std::wstring_view::npos)
                break;
            start = end + 1;
        }
    }
    if (format & DT_END_ELLIPSIS)
        for (std::wstring& line : lines)
            line = WithEllipsis(dc, line, width);

    const int lineHeight = dc.GetTextExtent(L"X").cy;
    const int total = lineHeight * static_cast<int>(lines.size());
    int y = rect.top;
    if (format & DT_SINGLELINE)
    {
        if (format & DT_BOTTOM)
            y = rect.bottom - total;
        else if (format & DT_VCENTER)
            y = rect.top + (rect.Height() - total) / 2;
    }
    int x = rect.left;
    if (format & DT_RIGHT)
    {
        dc.SetTextAlign(NGridTextAlign::Right);
        x = rect.right;
    }
    else if (format & DT_CENTER)
    {
        dc.SetTextAlign(NGridTextAlign::Center);
        x = rect.left + width / 2;
    }
    else
        dc.SetTextAlign(NGridTextAlign::Left);
    for (const std::wstring& line : lines)
    {
        if (!line.empty())
            dc.TextOut(x, y, line);
        y += lineHeight;
    }
}
