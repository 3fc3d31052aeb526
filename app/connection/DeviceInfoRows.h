#pragma once
// An instrument's information text ("Serial number:\tTN1\r\n...") as rows
// of a label and a value, so that a window can show the values in a column
// of their own instead of lining them up with tabs.

#include <string>
#include <vector>

struct SDeviceInfoRow
{
    std::wstring label;
    std::wstring value;

    bool operator==(const SDeviceInfoRow&) const = default;
};

class CDeviceInfoRows
{
public:
    /// One row per line that is not empty; a line is split at its first tab
    /// (the tabs and blanks around it dropped). A line without a tab is a
    /// label with an empty value.
    static std::vector<SDeviceInfoRow> Split(const std::wstring& text);
};
