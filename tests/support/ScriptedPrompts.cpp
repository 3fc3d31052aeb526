#include "tests/support/ScriptedPrompts.h"

#include "resources/StringTable.h"

namespace TerrionTest
{

CUserPrompts::NAnswer CScriptedPrompts::ShowMessage(wxWindow* owner, const SMessage& message)
{
    m_texts.push_back(message.text.ToStdWstring());
    m_asked.push_back({message.text.ToStdWstring(), message.buttons, message.icon, owner});
    if (m_steps.empty())
    {
        switch (message.buttons)
        {
        case buttonsOk:
            return answerOk;
        case buttonsYesNo:
            return answerNo;
        case buttonsAbortRetryIgnore:
            return answerAbort;
        default:
            return answerCancel;
        }
    }
    SStep step = std::move(m_steps.front());
    m_steps.pop_front();
    if (step.action)
        step.action();
    return step.answer;
}

void CScriptedPrompts::Answer(NAnswer answer, std::function<void()> action)
{
    m_steps.push_back({answer, std::move(action)});
}

int CScriptedPrompts::Count(unsigned textId) const
{
    const std::wstring text = Resources::CStringTable::Text(textId);
    int count = 0;
    for (const auto& seen : m_texts)
        if (seen == text)
            ++count;
    return count;
}

bool CScriptedPrompts::Saw(unsigned textId) const
{
    return Count(textId) > 0;
}

} // namespace TerrionTest
