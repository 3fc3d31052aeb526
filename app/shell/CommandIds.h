#pragma once
// Command ids of the menus, the toolbar and the string table's prompts, and
// the control ids of the main frame's parts. wxWidgets refuses menu ids from
// 0x7FFF up, so the framework's own commands (about, exit, help) become the
// wx stock ids at the window boundary only.

#include <wx/defs.h>

namespace AppIds
{

// Device commands (their handlers come with the instrument connection)
inline constexpr int kDeviceDownload = 2024;
inline constexpr int kDeviceAdd = 2086;
inline constexpr int kDeviceDeleteAll = 2067;
inline constexpr int kDeviceSettings = 2068;
inline constexpr int kDeviceUpgrade = 104;

// Application commands
inline constexpr int kCheckForUpdates = 2065;
inline constexpr int kAppSettings = 107;
inline constexpr int kAppAbout = 57664;
inline constexpr int kAppExit = 57665;

// Project, view and help commands of the child view
inline constexpr int kProjectOpen = 2084;
inline constexpr int kProjectAdd = 2082;
inline constexpr int kProjectClose = 2089;
inline constexpr int kProjectSave = 2087;
inline constexpr int kProjectSaveAs = 2088;
inline constexpr int kRestoreOriginal = 2021;
inline constexpr int kPrint = 103;
inline constexpr int kCopyRows = 106;
inline constexpr int kPasteRows = 2077;
inline constexpr int kExportCsv = 2075;
inline constexpr int kExportGraphic = 2076;
inline constexpr int kSelectAllRows = 2027;
inline constexpr int kDeleteRows = 2023;
inline constexpr int kHelp = 57670;
inline constexpr int kHelpUpgrade = 105;

// Controls
inline constexpr int kLogo = 208;

/// The window id of a command: the stock id for the framework's commands.
constexpr int ToWindowId(int command)
{
    switch (command)
    {
    case kAppAbout:
        return wxID_ABOUT;
    case kAppExit:
        return wxID_EXIT;
    case kHelp:
        return wxID_HELP;
    default:
        return command;
    }
}

/// The command of a window id (the inverse of ToWindowId).
constexpr int ToCommand(int windowId)
{
    switch (windowId)
    {
    case wxID_ABOUT:
        return kAppAbout;
    case wxID_EXIT:
        return kAppExit;
    case wxID_HELP:
        return kHelp;
    default:
        return windowId;
    }
}

} // namespace AppIds
