#pragma once
#include <string>
#include <string_view>

/// The parts of an item text "label\taccelerator": the label is the text
/// before the first tab, the accelerator the text after the last tab (a
/// middle part is not shown). In the label "&x" marks x as the mnemonic and
/// "&&" stands for one "&".
class OwMenuText
{
public:
    explicit OwMenuText(std::wstring_view text);

    /// The label as written, with its "&" markers.
    const std::wstring& GetLabel() const { return m_label; }
    const std::wstring& GetAccelerator() const { return m_accelerator; }
    /// The label as shown: markers removed, "&&" as "&".
    const std::wstring& GetShownLabel() const { return m_shown; }
    /// Index of the mnemonic in the shown label, -1 without one.
    int GetMnemonicIndex() const { return m_mnemonic; }
    /// The mnemonic character, 0 without one.
    wchar_t GetMnemonic() const;

private:
    std::wstring m_label;
    std::wstring m_accelerator;
    std::wstring m_shown;
    int m_mnemonic = -1;
};
