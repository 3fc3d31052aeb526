#pragma once
#include <string>
#include <vector>

#include "grid/GridCore.h"
#include "grid/GridInPlaceEditor.h"

/// An in-place edit without a window: a text with a selection that starts
/// as a real edit does and reports to the grid when ended.
class CFakeInPlaceEditor : public CGridInPlaceEditor
{
public:
    CFakeInPlaceEditor(CGridCore& owner, SGridRect area, NGridTextAlign alignment, int editRow, int editCol,
                       const std::wstring& initial, unsigned first)
        : grid(&owner), rect(area), align(alignment), row(editRow), col(editCol), initialText(initial),
          text(initial), firstChar(first)
    {
        const SStart start = StartFor(first);
        if (start.selectAll)
            selStart = 0;
        else
            selStart = text.size();
        selEnd = text.size();
        if (start.typedChar)
            Type(start.typedChar);
    }
    virtual ~CFakeInPlaceEditor() = default;

    /// Types a character as the edit control does: it replaces the selection,
    /// Backspace deletes the selection or the character before the caret.
    void Type(unsigned ch)
    {
        if (ch == VK_BACK)
        {
            if (selStart == selEnd && selStart > 0)
                --selStart;
            text.erase(selStart, selEnd - selStart);
        }
        else
        {
            text.replace(selStart, selEnd - selStart, 1, static_cast<wchar_t>(ch));
            ++selStart;
        }
        selEnd = selStart;
    }
    /// Ends the edit by a key, as Tab, Enter, Esc or an arrow does (0: focus lost).
    void Finish(unsigned key)
    {
        if (key == VK_ESCAPE)
            text = initialText;
        lastChar = key;
        EndEdit();
    }

    void EndEdit() override
    {
        if (!open)
            return;
        open = false;
        ++reports;
        SGridDisplayInfo info;
        info.hdr = SGridNotifyHeader{grid, IDC_GRID_INPLACE_EDIT, GRIDN_ENDEDIT};
        info.row = row;
        info.col = col;
        info.mask = SGridDisplayInfo::kEditMask;
        info.text = text;
        info.lParam = lastChar;
        grid->OnEndInPlaceEdit(info);
    }
    void Cancel() override
    {
        open = false;
        cancelled = true;
    }
    void SendChar(unsigned ch) override
    {
        forwarded.push_back(ch);
        Type(ch);
    }

    CGridCore* grid;
    SGridRect rect;
    NGridTextAlign align;
    int row;
    int col;
    std::wstring initialText;
    std::wstring text;
    unsigned firstChar;
    std::size_t selStart = 0;
    std::size_t selEnd = 0;
    unsigned lastChar = 0;
    bool open = true;
    bool cancelled = false;
    int reports = 0;
    std::vector<unsigned> forwarded;
};
