#pragma once
#include <vector>

class OwMenu;

/// The keys a menu answers to.
enum class NOwMenuKey
{
    Up,
    Down,
    Left,
    Right,
    Home,
    End,
    Return,
    Escape,
    Char, ///< a character: the mnemonics
};

/// What the user does in an open menu and its open sub-menus, as a menu
/// answers: the arrows move between the items that can be chosen, Right and
/// Return open a sub-menu, Left and Escape close one, Return or a click
/// chooses, a mnemonic selects or chooses, a click outside or Escape on the
/// first menu dismisses. Level 0 is the menu tracked; each open sub-menu
/// adds a level. The window layer shows what this says and feeds it input.
class OwMenuTracking
{
public:
    explicit OwMenuTracking(OwMenu& menu);

    int GetLevelCount() const { return static_cast<int>(m_levels.size()); }
    OwMenu& GetMenu(int level) const { return *m_levels[static_cast<std::size_t>(level)].menu; }
    /// The selected item of `level`, -1 for none.
    int GetSelection(int level) const { return m_levels[static_cast<std::size_t>(level)].selection; }

    /// Whether the menu is closed: an item was chosen or the menu dismissed.
    bool IsDone() const { return m_done; }
    /// The chosen command, 0 when dismissed or still open.
    unsigned GetCommand() const { return m_command; }

    void OnKey(NOwMenuKey key, wchar_t character = 0);
    /// The pointer over `item` of `level`; level -1 is outside every open menu,
    /// item -1 no item of that level.
    void OnPointerMove(int level, int item);
    void OnButtonDown(int level, int item);
    void OnButtonUp(int level, int item);
    /// Closes everything without a choice.
    void Dismiss();

private:
    struct SLevel
    {
        OwMenu* menu = nullptr;
        int selection = -1;
    };

    bool IsSelectable(int level, int item) const;
    /// The next selectable item of the deepest level after `from` in
    /// `step` direction, wrapping; -1 when there is none.
    int NextSelectable(int from, int step) const;
    void CloseBelow(int level);
    /// Opens the sub-menu of the deepest level's selected item; `selectFirst`
    /// selects its first item (the keyboard's way in).
    void OpenSelected(bool selectFirst);
    /// Chooses the deepest level's selected item, or opens its sub-menu.
    void Activate();
    void Mnemonic(wchar_t character);
    void Finish(unsigned command);

    std::vector<SLevel> m_levels;
    bool m_done = false;
    unsigned m_command = 0;
};
