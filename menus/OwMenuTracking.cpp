#include "menus/OwMenuTracking.h"

#include <cwctype>

#include "menus/OwMenu.h"
#include "menus/OwMenuText.h"

OwMenuTracking::OwMenuTracking(OwMenu& menu)
{
    m_levels.push_back(SLevel{&menu, -1});
}

bool OwMenuTracking::IsSelectable(int level, int item) const
{
    const OwMenu& menu = GetMenu(level);
    return item >= 0 && item < menu.GetItemCount() && menu.GetItem(item).IsSelectable();
}

int OwMenuTracking::NextSelectable(int from, int step) const
{
    const int level = GetLevelCount() - 1;
    const int count = GetMenu(level).GetItemCount();
    if (count == 0)
        return -1;
    int item = from < 0 ? (step > 0 ? count - 1 : 0) : from;
    for (int i = 0; i < count; ++i)
    {
        item = (item + step + count) % count;
        if (IsSelectable(level, item))
            return item;
    }
    return -1;
}

void OwMenuTracking::CloseBelow(int level)
{
    if (GetLevelCount() > level + 1)
        m_levels.resize(static_cast<std::size_t>(level) + 1);
}

void OwMenuTracking::OpenSelected(bool selectFirst)
{
    const SLevel& deepest = m_levels.back();
    if (deepest.selection < 0)
        return;
    OwMenu* sub = deepest.menu->GetItem(deepest.selection).subMenu;
    if (sub == nullptr || !IsSelectable(GetLevelCount() - 1, deepest.selection))
        return;
    m_levels.push_back(SLevel{sub, -1});
    if (selectFirst)
        m_levels.back().selection = NextSelectable(-1, 1);
}

void OwMenuTracking::Activate()
{
    const SLevel& deepest = m_levels.back();
    if (!IsSelectable(GetLevelCount() - 1, deepest.selection))
        return;
    const OwMenuData& item = deepest.menu->GetItem(deepest.selection);
    if (item.IsPopup())
        OpenSelected(true);
    else
        Finish(item.command);
}

void OwMenuTracking::Mnemonic(wchar_t character)
{
    const int level = GetLevelCount() - 1;
    const OwMenu& menu = GetMenu(level);
    const auto upper = std::towupper(static_cast<wint_t>(character));
    std::vector<int> matches;
    for (int i = 0; i < menu.GetItemCount(); ++i)
    {
        const wchar_t mnemonic = OwMenuText(menu.GetItem(i).text).GetMnemonic();
        if (mnemonic != L'\0' && IsSelectable(level, i) &&
            std::towupper(static_cast<wint_t>(mnemonic)) == upper)
            matches.push_back(i);
    }
    if (matches.empty())
        return;
    if (matches.size() == 1)
    {
        m_levels.back().selection = matches.front();
        Activate();
        return;
    }
    // Several items share the letter: each press moves on to the next of them.
    int next = matches.front();
    for (int item : matches)
        if (item > m_levels.back().selection)
        {
            next = item;
            break;
        }
    m_levels.back().selection = next;
}

void OwMenuTracking::Finish(unsigned command)
{
    m_done = true;
    m_command = command;
    m_levels.resize(1);
    m_levels.back().selection = -1;
}

void OwMenuTracking::Dismiss()
{
    Finish(0);
}

void OwMenuTracking::OnKey(NOwMenuKey key, wchar_t character)
{
    if (m_done)
        return;
    SLevel& deepest = m_levels.back();
    switch (key)
    {
    case NOwMenuKey::Down:
    case NOwMenuKey::Up:
    {
        const int next = NextSelectable(deepest.selection, key == NOwMenuKey::Down ? 1 : -1);
        if (next >= 0)
            deepest.selection = next;
        break;
    }
    case NOwMenuKey::Home:
    case NOwMenuKey::End:
    {
        const int next = NextSelectable(-1, key == NOwMenuKey::Home ? 1 : -1);
        if (next >= 0)
            deepest.selection = next;
        break;
    }
    case NOwMenuKey::Right:
        OpenSelected(true);
        break;
    case NOwMenuKey::Left:
        CloseBelow(GetLevelCount() - 2 < 0 ? 0 : GetLevelCount() - 2);
        break;
    case NOwMenuKey::Return:
        Activate();
        break;
    case NOwMenuKey::Escape:
        if (GetLevelCount() > 1)
            CloseBelow(GetLevelCount() - 2);
        else
            Dismiss();
        break;
    case NOwMenuKey::Char:
        Mnemonic(character);
        break;
    }
}

void OwMenuTracking::OnPointerMove(int level, int item)
{
    if (m_done)
        return;
    if (level < 0 || level >= GetLevelCount())
    {
        // Off the menus: the deepest menu lets go of its selection, the
        // items whose sub-menus are open keep theirs.
        m_levels.back().selection = -1;
        return;
    }
    SLevel& at = m_levels[static_cast<std::size_t>(level)];
    if (at.selection == item && GetLevelCount() > level + 1)
        return; // over the item whose sub-menu is open
    CloseBelow(level);
    at.selection = IsSelectable(level, item) ? item : -1;
    OpenSelected(false);
}

void OwMenuTracking::OnButtonDown(int level, int item)
{
    if (m_done)
        return;
    if (level < 0 || level >= GetLevelCount())
    {
        Dismiss();
        return;
    }
    OnPointerMove(level, item);
}

void OwMenuTracking::OnButtonUp(int level, int item)
{
    if (m_done || level < 0 || level >= GetLevelCount() || !IsSelectable(level, item))
        return;
    const OwMenuData& data = GetMenu(level).GetItem(item);
    if (!data.IsPopup())
        Finish(data.command);
}
