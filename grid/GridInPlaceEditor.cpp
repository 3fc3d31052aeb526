#include "grid/GridInPlaceEditor.h"

#include "grid/GridConstants.h"

CGridInPlaceEditor::SStart CGridInPlaceEditor::StartFor(unsigned firstChar)
{
    SStart start;
    if ((firstChar & kGridTypedChar) != 0)
    {
        // A typed character: Enter and Backspace act on the text as their keys
        // do, everything printable replaces it.
        const unsigned ch = firstChar & ~kGridTypedChar;
        if (ch == VK_RETURN)
            return start;
        if (ch == VK_BACK)
        {
            start.typedChar = VK_BACK;
            return start;
        }
        start.selectAll = true;
        if (ch >= 0x20 && ch != 0x7F)
            start.typedChar = ch;
        return start;
    }
    switch (firstChar)
    {
    case VK_LBUTTON:
    case VK_RETURN:
        break;
    case VK_BACK:
        start.typedChar = VK_BACK;
        break;
    case VK_TAB:
    case VK_SPACE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        start.selectAll = true;
        break;
    default:
        start.selectAll = true;
        if (firstChar >= 0x20 && firstChar != 0x7F)
            start.typedChar = firstChar;
        break;
    }
    return start;
}
