#pragma once
// The prompt service of the GUI tests: answers every message box from a
// queue and keeps what was asked and of which window.

#include "platform/wx/UserPrompts.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace TerrionTest
{

/// Once the queue is empty a box gets its last button (OK, No, Cancel or
/// Abort). File dialogs are cancelled.
class CScriptedPrompts : public CUserPrompts
{
public:
    struct SAsked
    {
        std::wstring text;
        NButtons buttons;
        NIcon icon;
        wxWindow* owner;
    };

    /// The next answers, in order; an action runs when its message comes
    /// (with the box's modal loop, in the real program).
    void Answer(NAnswer answer, std::function<void()> action = {});
    const std::vector<std::wstring>& Texts() const { return m_texts; }
    const std::vector<SAsked>& Asked() const { return m_asked; }
    bool Saw(unsigned textId) const;
    int Count(unsigned textId) const;

    NAnswer ShowMessage(wxWindow* owner, const SMessage& message) override;
    bool ChooseFile(wxWindow*, const SFileRequest&, wxString*) override { return false; }

private:
    struct SStep
    {
        NAnswer answer;
        std::function<void()> action;
    };
    std::deque<SStep> m_steps;
    std::vector<std::wstring> m_texts;
    std::vector<SAsked> m_asked;
};

} // namespace TerrionTest
