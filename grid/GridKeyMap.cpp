#include "grid/GridKeyMap.h"

#include "grid/GridConstants.h"

namespace
{

constexpr unsigned kVkInsert = 0x2D;
constexpr unsigned kVkF1 = 0x70;

} // namespace

unsigned CGridKeyMap::ToGridKey(int wxKeyCode)
{
    switch (wxKeyCode)
    {
    case WXK_BACK:
        return VK_BACK;
    case WXK_TAB:
    case WXK_NUMPAD_TAB:
        return VK_TAB;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
        return VK_RETURN;
    case WXK_ESCAPE:
        return VK_ESCAPE;
    case WXK_SPACE:
    case WXK_NUMPAD_SPACE:
        return VK_SPACE;
    case WXK_PAGEUP:
    case WXK_NUMPAD_PAGEUP:
        return VK_PRIOR;
    case WXK_PAGEDOWN:
    case WXK_NUMPAD_PAGEDOWN:
        return VK_NEXT;
    case WXK_END:
    case WXK_NUMPAD_END:
        return VK_END;
    case WXK_HOME:
    case WXK_NUMPAD_HOME:
        return VK_HOME;
    case WXK_LEFT:
    case WXK_NUMPAD_LEFT:
        return VK_LEFT;
    case WXK_UP:
    case WXK_NUMPAD_UP:
        return VK_UP;
    case WXK_RIGHT:
    case WXK_NUMPAD_RIGHT:
        return VK_RIGHT;
    case WXK_DOWN:
    case WXK_NUMPAD_DOWN:
        return VK_DOWN;
    case WXK_INSERT:
    case WXK_NUMPAD_INSERT:
        return kVkInsert;
    case WXK_DELETE:
    case WXK_NUMPAD_DELETE:
        return VK_DELETE;
    default:
        break;
    }
    if (wxKeyCode >= WXK_F1 && wxKeyCode <= WXK_F24)
        return kVkF1 + static_cast<unsigned>(wxKeyCode - WXK_F1);
    // Letters are numbered by their capitals, digits by themselves.
    if (wxKeyCode >= 'a' && wxKeyCode <= 'z')
        return static_cast<unsigned>(wxKeyCode - 'a' + 'A');
    if ((wxKeyCode >= 'A' && wxKeyCode <= 'Z') || (wxKeyCode >= '0' && wxKeyCode <= '9'))
        return static_cast<unsigned>(wxKeyCode);
    return 0;
}

unsigned CGridKeyMap::Modifiers(const wxKeyboardState& state)
{
    unsigned modifiers = 0;
    if (state.ShiftDown())
        modifiers |= GRID_MK_SHIFT;
    if (state.RawControlDown())
        modifiers |= GRID_MK_CONTROL;
    if (state.AltDown())
        modifiers |= GRID_MK_ALT;
    return modifiers;
}

unsigned CGridKeyMap::ToGridChar(const wxKeyEvent& event)
{
    const wxChar ch = event.GetUnicodeKey();
    if (ch == WXK_NONE)
        return 0;
    const auto code = static_cast<unsigned>(ch);
    // Of the control characters only those a key types on Windows too.
    if (code < 0x20)
        return code == VK_BACK || code == VK_TAB || code == VK_RETURN || code == VK_ESCAPE ? code : 0;
    if (code == 0x7F)
        return 0;
    return code;
}
