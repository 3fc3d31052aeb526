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
    default:
        start.selectAll = true;
        // Space and the moving keys select the text; a character replaces it.
        if (firstChar != VK_SPACE && !IsGridNavigationKey(firstChar) && firstChar >= 0x20 &&
            firstChar != 0x7F)
            start.typedChar = firstChar;
        break;
    }
    return start;
}
