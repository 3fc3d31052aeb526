// The prompt service's real boxes: the one map from a kind of box to wx
// flags, the answer each button gives, and a real GTK box answered through
// its buttons, owned by the window that asked.
#include "platform/wx/WxUserPrompts.h"
#include "tests/support/NativeWindows.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/msgdlg.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace TerrionTest
{
namespace
{

using P = CUserPrompts;

struct SStyleCase
{
    P::NButtons buttons;
    P::NIcon icon;
    long style;
};

TEST(WxUserPrompts, EachKindOfBoxHasItsButtonsAndIcon)
{
    const SStyleCase cases[] = {
        {P::buttonsOk, P::iconInformation, wxOK | wxICON_INFORMATION},
        {P::buttonsOk, P::iconExclamation, wxOK | wxICON_EXCLAMATION},
        {P::buttonsOk, P::iconError, wxOK | wxICON_ERROR},
        {P::buttonsOkCancel, P::iconInformation, wxOK | wxCANCEL | wxICON_INFORMATION},
        {P::buttonsYesNo, P::iconQuestion, wxYES_NO | wxICON_QUESTION},
        {P::buttonsYesNo, P::iconExclamation, wxYES_NO | wxICON_EXCLAMATION},
        {P::buttonsYesNoCancel, P::iconQuestion, wxYES_NO | wxCANCEL | wxICON_QUESTION},
        // Relabelled: OK is Retry; Yes, No and Cancel are Abort, Retry and Ignore.
        {P::buttonsRetryCancel, P::iconQuestion, wxOK | wxCANCEL | wxICON_QUESTION},
        {P::buttonsRetryCancel, P::iconExclamation, wxOK | wxCANCEL | wxICON_EXCLAMATION},
        {P::buttonsAbortRetryIgnore, P::iconError, wxYES_NO | wxCANCEL | wxICON_ERROR},
    };
    for (const SStyleCase& c : cases)
        EXPECT_EQ(CWxUserPrompts::Style(c.buttons, c.icon), c.style) << c.buttons << "/" << c.icon;
}

struct SAnswerCase
{
    P::NButtons buttons;
    int result;
    P::NAnswer answer;
};

TEST(WxUserPrompts, EachButtonGivesItsAnswerAndClosingTheLastOne)
{
    const SAnswerCase cases[] = {
        {P::buttonsOk, wxID_OK, P::answerOk},
        {P::buttonsOk, wxID_CANCEL, P::answerOk},
        {P::buttonsOkCancel, wxID_OK, P::answerOk},
        {P::buttonsOkCancel, wxID_CANCEL, P::answerCancel},
        {P::buttonsYesNo, wxID_YES, P::answerYes},
        {P::buttonsYesNo, wxID_NO, P::answerNo},
        {P::buttonsYesNo, wxID_CANCEL, P::answerNo},
        {P::buttonsYesNoCancel, wxID_YES, P::answerYes},
        {P::buttonsYesNoCancel, wxID_NO, P::answerNo},
        {P::buttonsYesNoCancel, wxID_CANCEL, P::answerCancel},
        {P::buttonsRetryCancel, wxID_OK, P::answerRetry},
        {P::buttonsRetryCancel, wxID_CANCEL, P::answerCancel},
        {P::buttonsRetryCancel, wxID_NONE, P::answerCancel},
        {P::buttonsAbortRetryIgnore, wxID_YES, P::answerAbort},
        {P::buttonsAbortRetryIgnore, wxID_NO, P::answerRetry},
        {P::buttonsAbortRetryIgnore, wxID_CANCEL, P::answerIgnore},
        {P::buttonsAbortRetryIgnore, wxID_NONE, P::answerAbort},
    };
    for (const SAnswerCase& c : cases)
        EXPECT_EQ(CWxUserPrompts::AnswerOf(c.buttons, c.result), c.answer) << c.buttons << "/" << c.result;
}

TEST(WxUserPrompts, ARealRetryBoxBelongsToItsOwnerAndAnswersThroughItsButtons)
{
    auto* owner = new wxFrame(nullptr, wxID_ANY, "owner", wxPoint(20, 20), wxSize(400, 300));
    owner->Show();
    CWxUserPrompts prompts;
    {
        CBoxAnswerer retry(true);
        EXPECT_EQ(prompts.Ask(owner, L"No device found. Retry?", P::buttonsRetryCancel, P::iconQuestion),
                  P::answerRetry);
        ASSERT_EQ(retry.Owners().size(), 1u);
        EXPECT_EQ(retry.Owners()[0], owner->GetHandle());
    }
    {
        CBoxAnswerer cancel(false);
        EXPECT_EQ(prompts.Ask(owner, L"No device found. Retry?", P::buttonsRetryCancel, P::iconQuestion),
                  P::answerCancel);
        EXPECT_EQ(prompts.Ask(owner, L"Delete?", P::buttonsYesNo, P::iconQuestion), P::answerNo);
        EXPECT_EQ(cancel.Owners().size(), 2u);
    }
    {
        CBoxAnswerer yes(true);
        EXPECT_EQ(prompts.Ask(owner, L"Delete?", P::buttonsYesNo, P::iconQuestion), P::answerYes);
    }
    owner->Destroy();
    wxYield();
}

// The file dialog answered with a typed name, and the questions recorded.
class CTypedNamePrompts : public CWxUserPrompts
{
public:
    wxString typed;
    NAnswer answer = answerNo;
    std::vector<wxString> questions;

    NAnswer ShowMessage(wxWindow*, const SMessage& message) override
    {
        questions.push_back(message.text);
        return answer;
    }

protected:
    bool ShowFileDialog(wxWindow*, const SFileRequest&, wxString* path) override
    {
        *path = typed;
        return true;
    }
};

// The Save dialog asks about replacing the name as typed; a name that gets
// the default extension afterwards and exists is asked about once more.
TEST(WxUserPrompts, ACompletedNameThatExistsIsReplacedOnlyAfterYes)
{
    CTempDir dir;
    std::ofstream(dir / "old.vnr") << "kept";
    const wxString oldPath = (dir / "old.vnr").wstring();
    P::SFileRequest request;
    request.save = true;
    request.overwritePrompt = true;
    request.defaultExtension = L"vnr";

    struct SCase
    {
        std::string typed;
        P::NAnswer answer;
        bool chosen;
        std::string path; // empty: nothing chosen
        bool asked;
    };
    const SCase cases[] = {
        {"old", P::answerNo, false, "", true},
        {"old", P::answerYes, true, "old.vnr", true},
        {"new", P::answerNo, true, "new.vnr", false},
        {"old.vnr", P::answerNo, true, "old.vnr", false}, // the dialog asked itself
    };
    for (const SCase& c : cases)
    {
        CTypedNamePrompts prompts;
        prompts.typed = (dir / c.typed).wstring();
        prompts.answer = c.answer;
        wxString path;
        EXPECT_EQ(prompts.ChooseFile(nullptr, request, &path), c.chosen) << c.typed;
        EXPECT_EQ(path, c.path.empty() ? wxString() : wxString((dir / c.path).wstring())) << c.typed;
        ASSERT_EQ(prompts.questions.size(), c.asked ? 1u : 0u) << c.typed;
        if (c.asked)
        {
            EXPECT_EQ(prompts.questions[0], oldPath + L" already exists.\nDo you want to replace it?");
        }
    }
    std::ifstream in(dir / "old.vnr");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "kept");
}

} // namespace
} // namespace TerrionTest
