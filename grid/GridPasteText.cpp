#include "grid/GridPasteText.h"

#include <algorithm>

namespace
{

bool IsBlank(wchar_t ch)
{
    return ch == L' ' || ch == L'\t' || ch == L'\r' || ch == L'\n' || ch == L'\v' || ch == L'\f';
}

std::wstring Trimmed(std::wstring_view field)
{
    std::size_t first = 0;
    std::size_t last = field.size();
    while (first < last && IsBlank(field[first]))
        ++first;
    while (last > first && IsBlank(field[last - 1]))
        --last;
    return std::wstring(field.substr(first, last - first));
}

} // namespace

std::vector<CGridPasteText::TLine> CGridPasteText::Split(std::wstring_view text)
{
    if (const std::size_t nul = text.find(L'\0'); nul != std::wstring_view::npos)
        text = text.substr(0, nul);
    // A terminated last line is a line, not a line plus an empty one: a
    // spreadsheet's trailing line break must not blank the cell below.
    if (!text.empty() && text.back() == L'\n')
        text.remove_suffix(1);

    std::vector<TLine> lines;
    if (text.empty())
        return lines;
    std::size_t lineStart = 0;
    while (true)
    {
        const std::size_t lineEnd = std::min(text.find(L'\n', lineStart), text.size());
        std::wstring_view line = text.substr(lineStart, lineEnd - lineStart);
        // A tab closing a line ends its last field (a copied heading line
        // ends so); it must not blank the cell after the pasted ones.
        std::wstring_view body = line;
        while (!body.empty() && body.back() == L'\r')
            body.remove_suffix(1);
        if (!body.empty() && body.back() == L'\t')
            line = body.substr(0, body.size() - 1);
        TLine& fields = lines.emplace_back();
        std::size_t fieldStart = 0;
        while (true)
        {
            const std::size_t fieldEnd = std::min(line.find_first_of(L"\t,", fieldStart), line.size());
            fields.push_back(Trimmed(line.substr(fieldStart, fieldEnd - fieldStart)));
            if (fieldEnd == line.size())
                break;
            fieldStart = fieldEnd + 1;
        }
        if (lineEnd == text.size())
            break;
        lineStart = lineEnd + 1;
    }
    return lines;
}
