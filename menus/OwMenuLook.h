#pragma once
// The look the menus take on this desktop. The menus were designed to follow
// the running system's version and theme; here the answers are fixed to the
// themed look, whose flat style fits a modern desktop: a tinted image column,
// a light selection framed in the highlight colour, faded images that come to
// life under the pointer.

/// The system version class the menus draw for: 7, the themed flat look.
inline constexpr int theMenuWinVersion = 7;

/// Whether the desktop runs the classic theme: never here.
constexpr bool IsWindowsClassicTheme()
{
    return false;
}

/// The themed look: version class 7 without the classic theme.
constexpr bool IsMenuThemedXp()
{
    return theMenuWinVersion == 7 && !IsWindowsClassicTheme();
}
