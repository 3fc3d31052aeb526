// The export dialogs in their windows: what a paint draws (groups, tiles,
// highlights, preview), the pointer's hover and clicks through real mouse
// events, the "Export" button with the Save dialog answered by the hooks,
// and screenshots of both dialogs.
#include "export/wx/ExportBmpDialog.h"
#include "export/wx/ExportCsvDialog.h"
#include "tests/grid/ImagePixel.h"
#include "tests/support/ScreenImage.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/settings.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

namespace TerrionTest
{
namespace
{

/// The dialog's client area as its paint draws it.
wxImage Paint(CExportDialogBase& dialog)
{
    const wxSize size = dialog.GetClientSize();
    wxBitmap bitmap(size.x, size.y, 24);
    {
        wxMemoryDC dc(bitmap);
        dialog.Render(dc);
    }
    return bitmap.ConvertToImage();
}

wxColour At(const wxImage& image, int x, int y)
{
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

/// Within a step of the gradient's rounding.
testing::AssertionResult Near(const wxColour& actual, const wxColour& expected)
{
    const auto off = [](int a, int b) { return std::abs(a - b) > 3; };
    if (off(actual.Red(), expected.Red()) || off(actual.Green(), expected.Green()) ||
        off(actual.Blue(), expected.Blue()))
        return testing::AssertionFailure() << actual.GetAsString(wxC2S_CSS_SYNTAX) << " is not near "
                                           << expected.GetAsString(wxC2S_CSS_SYNTAX);
    return testing::AssertionSuccess();
}

/// What the X server shows of a window now (its children included).
wxImage ScreenImage(wxWindow& window)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(400);
    while (std::chrono::steady_clock::now() < end)
    {
        wxTheApp->Yield(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return TerrionTest::ScreenImage(window.GetScreenRect());
}

const CExportDialogLayout::STile& Tile(const CExportDialogBase& dialog, int id)
{
    for (const auto& tile : dialog.Layout().Tiles())
        if (tile.id == id)
            return tile;
    throw std::out_of_range("no such tile");
}

/// Sends a real mouse event of type to the dialog at point.
void Mouse(CExportDialogBase& dialog, wxEventType type, const wxPoint& point)
{
    wxMouseEvent event(type);
    event.SetPosition(point);
    event.SetEventObject(&dialog);
    dialog.ProcessWindowEvent(event);
}

/// Presses a button of the dialog as a click does.
void Press(CExportDialogBase& dialog, int id)
{
    wxCommandEvent event(wxEVT_BUTTON, id);
    event.SetEventObject(dialog.FindWindow(id));
    dialog.FindWindow(id)->ProcessWindowEvent(event);
}

class ExportDialog : public testing::Test
{
protected:
    void TearDown() override { CExportDialogBase::SetTestHooks({}); }

    /// Save dialog answers, one per request: a path and a filter entry, or cancel.
    struct SAnswer
    {
        std::wstring path;
        int filter = 0;
        bool cancel = false;
    };
    void AnswerSaveDialogs(std::vector<SAnswer> answers, bool replace = true)
    {
        m_answers = std::move(answers);
        CExportDialogBase::STestHooks hooks;
        hooks.saveFile =
            [this](const CExportDialogBase::SFileRequest& request, std::wstring* path, int* filter)
        {
            m_requests.push_back(request);
            if (m_answers.empty())
                return false;
            const SAnswer answer = m_answers.front();
            m_answers.erase(m_answers.begin());
            *path = answer.path;
            *filter = answer.filter;
            return !answer.cancel;
        };
        hooks.confirmReplace = [this, replace](const std::wstring& question)
        {
            m_questions.push_back(question);
            return replace;
        };
        CExportDialogBase::SetTestHooks(hooks);
    }

    CTempDir m_dir;
    std::vector<SAnswer> m_answers;
    std::vector<CExportDialogBase::SFileRequest> m_requests;
    std::vector<std::wstring> m_questions;
};

} // namespace

TEST_F(ExportDialog, PaintDrawsGroupsTilesAndTheChosenHighlight)
{
    CExportBmpDialog dialog(nullptr);
    dialog.Show();
    const wxImage image = Paint(dialog);
    const auto& groups = dialog.Layout().Groups();
    ASSERT_EQ(groups.size(), 4u);
    for (const auto& group : groups)
    {
        // Frame outline, heading fill and the line under the heading.
        EXPECT_EQ(At(image, group.frame.left, 200), wxColour(155, 175, 202));
        EXPECT_EQ(At(image, group.frame.left + 1, 295), *wxWHITE);
        EXPECT_EQ(At(image, group.heading.right - 2, group.heading.top + 1), wxColour(221, 231, 238));
        EXPECT_EQ(At(image, group.heading.left + 2, group.heading.bottom), wxColour(197, 197, 197));
    }
    // Outside the frames: the dialog's face colour.
    EXPECT_EQ(At(image, 3, 305), wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));

    // The chosen tiles of the defaults (details, one file, selection) carry
    // the chosen gradient and border; the others stay white.
    const auto chosen = CExportDialogLayout::Highlight(false, true);
    for (int id : {2, 5, 4})
    {
        const SGridRect& r = Tile(dialog, id).rect;
        EXPECT_EQ(At(image, r.left, r.top + 3), Colour(chosen.border)) << id;
        EXPECT_TRUE(Near(At(image, r.right - 3, r.top + 1), Colour(chosen.top))) << id;
        EXPECT_TRUE(Near(At(image, r.right - 3, r.bottom - 2), Colour(chosen.bottom))) << id;
    }
    for (int id : {0, 1, 6, 7, 3})
    {
        const SGridRect& r = Tile(dialog, id).rect;
        EXPECT_EQ(At(image, r.left, r.top + 3), *wxWHITE) << id;
        EXPECT_EQ(At(image, r.right - 3, r.top + 1), *wxWHITE) << id;
        // The illustration with its key colour see-through: no pure red on the page.
        for (int y = r.top; y <= r.bottom; ++y)
            for (int x = r.left; x <= r.right; ++x)
                ASSERT_NE(At(image, x, y), *wxRED) << id << " at " << x << "," << y;
    }
    // The preview's file icon where the layout puts it.
    const auto pages = dialog.Layout().PreviewPages(dialog.Options());
    const auto& icon = pages.back();
    EXPECT_EQ(icon.id, 30216u);
    EXPECT_NE(At(image, icon.at.x + 13, icon.at.y + 15), *wxWHITE);
}

// Hover follows the pointer; a click chooses its tile (only in its group)
// and takes the hover away until the pointer moves again.
TEST_F(ExportDialog, PointerHoversAndClickChooses)
{
    CExportBmpDialog dialog(nullptr);
    dialog.Show();
    Mouse(dialog, wxEVT_LEFT_DOWN, dialog.TileCentre(0));
    EXPECT_EQ(dialog.GetContent(), EXPORT_CONTENT_DETAILS) << "before the first paint nothing is clickable";

    Paint(dialog);
    Mouse(dialog, wxEVT_MOTION, dialog.TileCentre(0));
    EXPECT_EQ(dialog.GetHover(), 0);
    wxImage image = Paint(dialog);
    const auto hovered = CExportDialogLayout::Highlight(true, false);
    const SGridRect& r = Tile(dialog, 0).rect;
    EXPECT_EQ(At(image, r.left, r.top + 3), Colour(hovered.border));
    // The tile's right and bottom edges belong to it.
    Mouse(dialog, wxEVT_MOTION, wxPoint(r.right, r.bottom));
    EXPECT_EQ(dialog.GetHover(), 0);
    Mouse(dialog, wxEVT_MOTION, wxPoint(r.right + 1, r.bottom));
    EXPECT_EQ(dialog.GetHover(), -1);

    Mouse(dialog, wxEVT_MOTION, dialog.TileCentre(0));
    Mouse(dialog, wxEVT_LEFT_DOWN, dialog.TileCentre(0));
    EXPECT_EQ(dialog.GetHover(), -1);
    EXPECT_EQ(dialog.GetContent(), EXPORT_CONTENT_HEADERS);
    EXPECT_EQ(dialog.GetTarget(), EXPORT_TARGET_ONE_FILE);
    image = Paint(dialog);
    const auto chosen = CExportDialogLayout::Highlight(false, true);
    EXPECT_EQ(At(image, r.left, r.top + 3), Colour(chosen.border));
    EXPECT_EQ(At(image, Tile(dialog, 2).rect.left, Tile(dialog, 2).rect.top + 3), *wxWHITE);

    // Chosen and hovered at once.
    Mouse(dialog, wxEVT_MOTION, dialog.TileCentre(0));
    image = Paint(dialog);
    EXPECT_EQ(At(image, r.left, r.top + 3), Colour(CExportDialogLayout::Highlight(true, true).border));

    Mouse(dialog, wxEVT_LEFT_DOWN, dialog.TileCentre(7));
    Mouse(dialog, wxEVT_LEFT_DOWN, dialog.TileCentre(3));
    EXPECT_EQ(dialog.GetTarget(), EXPORT_TARGET_CLIPBOARD);
    EXPECT_TRUE(dialog.IsAllData());
    Mouse(dialog, wxEVT_LEFT_DOWN, wxPoint(2, 2)); // outside every tile
    EXPECT_EQ(dialog.GetTarget(), EXPORT_TARGET_CLIPBOARD);
}

// "Export" with the clipboard ends the real modal loop at once, without a
// Save dialog, and the format stays PNG; "Cancel" ends it with cancel.
TEST_F(ExportDialog, ClipboardEndsAtOnceAndCancelCancels)
{
    AnswerSaveDialogs({});
    {
        CExportBmpDialog dialog(nullptr);
        Paint(dialog);
        dialog.PressAt(dialog.TileCentre(7));
        wxTheApp->CallAfter([&dialog] { Press(dialog, wxID_OK); });
        EXPECT_EQ(dialog.RunModal(), wxID_OK);
        EXPECT_TRUE(m_requests.empty());
        EXPECT_EQ(dialog.GetImageFormat(), IMAGE_FORMAT_PNG);
        EXPECT_EQ(dialog.GetTarget(), EXPORT_TARGET_CLIPBOARD);
    }
    {
        CExportCsvDialog dialog(nullptr);
        wxTheApp->CallAfter([&dialog] { Press(dialog, wxID_CANCEL); });
        EXPECT_EQ(dialog.RunModal(), wxID_CANCEL);
    }
    {
        CExportCsvDialog dialog(nullptr);
        Paint(dialog);
        dialog.PressAt(dialog.TileCentre(4));
        dialog.Export();
        EXPECT_EQ(dialog.GetReturnCode(), wxID_OK);
        EXPECT_TRUE(m_requests.empty());
    }
}

// The Save dialog: refused names keep the dialog open and come back as the
// next initial name; an accepted name ends it and sets the format.
TEST_F(ExportDialog, SaveDialogAcceptsOnlyTheFormatsEndings)
{
    const std::wstring dir = m_dir.Path().wstring();
    AnswerSaveDialogs({{L"", 0, true}, {dir + L"/run.jpeg", 3}, {L"a.png", 3}, {dir + L"/run.JPG", 2}});
    CExportBmpDialog dialog(nullptr);
    dialog.SetFilePath(L"TerrionLink Graphic");
    int ended = 0;
    for (int press = 0; press < 4; ++press)
    {
        dialog.Export();
        ended += dialog.GetReturnCode() == wxID_OK;
        if (press < 3)
        {
            EXPECT_EQ(ended, 0) << press;
        }
    }
    EXPECT_EQ(ended, 1);
    ASSERT_EQ(m_requests.size(), 4u);
    EXPECT_EQ(m_requests[0].initialName, L"TerrionLink Graphic");
    EXPECT_EQ(m_requests[0].defaultExtension, L"png");
    EXPECT_EQ(
        m_requests[0].wildcard,
        L"PNG image (*.png)|*.png|BMP image (*.bmp)|*.bmp|JPEG image (*.jpg)|*.jpg|All files (*.*)|*.*");
    EXPECT_EQ(m_requests[1].initialName, L"TerrionLink Graphic") << "a cancelled Save dialog changes nothing";
    EXPECT_EQ(m_requests[2].initialName, L"run.jpeg") << "the refused name is offered again";
    EXPECT_EQ(dialog.GetFilePath(), dir + L"/run.JPG");
    EXPECT_EQ(dialog.GetImageFormat(), IMAGE_FORMAT_JPG);

    // Without a name from the caller the dialog offers its own.
    CExportCsvDialog csv(nullptr);
    AnswerSaveDialogs({{L"", 0, true}});
    csv.Export();
    EXPECT_EQ(m_requests.back().initialName, L"Morvanda Data");
    EXPECT_EQ(m_requests.back().wildcard, L"CSV file (*.csv)|*.csv|All files (*.*)|*.*");
}

// A name typed without an extension gets the chosen filter's (or the
// default one), and replacing a file under the completed name is asked.
TEST_F(ExportDialog, MissingExtensionIsAddedAndReplacingIsAsked)
{
    const auto dir = m_dir.Path();
    {
        AnswerSaveDialogs({{(dir / "pic").wstring(), 1}});
        CExportBmpDialog dialog(nullptr);
        dialog.Export();
        EXPECT_EQ(dialog.GetReturnCode(), wxID_OK);
        EXPECT_EQ(dialog.GetFilePath(), (dir / "pic.bmp").wstring());
        EXPECT_EQ(dialog.GetImageFormat(), IMAGE_FORMAT_BMP);
    }
    {
        AnswerSaveDialogs({{(dir / "pic").wstring(), 3}});
        CExportBmpDialog dialog(nullptr);
        dialog.Export();
        EXPECT_EQ(dialog.GetFilePath(), (dir / "pic.png").wstring());
        EXPECT_EQ(dialog.GetImageFormat(), IMAGE_FORMAT_PNG);
    }
    std::ofstream(dir / "data.csv") << "old";
    {
        AnswerSaveDialogs({{(dir / "data").wstring(), 0}}, false);
        CExportCsvDialog dialog(nullptr);
        dialog.Export();
        EXPECT_NE(dialog.GetReturnCode(), wxID_OK) << "not replaced: the dialog stays open";
        ASSERT_EQ(m_questions.size(), 1u);
        EXPECT_EQ(m_questions[0],
                  (dir / "data.csv").wstring() + L" already exists.\nDo you want to replace it?");
    }
    {
        m_questions.clear();
        AnswerSaveDialogs({{(dir / "data").wstring(), 0}}, true);
        CExportCsvDialog dialog(nullptr);
        dialog.Export();
        EXPECT_EQ(dialog.GetReturnCode(), wxID_OK);
        EXPECT_EQ(dialog.GetFilePath(), (dir / "data.csv").wstring());
    }
    {
        // A name typed with its extension was asked about by the Save dialog itself.
        m_questions.clear();
        AnswerSaveDialogs({{(dir / "data.csv").wstring(), 0}}, false);
        CExportCsvDialog dialog(nullptr);
        dialog.Export();
        EXPECT_EQ(dialog.GetReturnCode(), wxID_OK);
        EXPECT_TRUE(m_questions.empty());
    }
}

// The modal hook answers the whole dialog in place of the user (the page's tests).
TEST_F(ExportDialog, ModalHookAnswersTheDialog)
{
    CExportDialogBase::STestHooks hooks;
    hooks.modal = [](CExportDialogBase& dialog)
    {
        Paint(dialog);
        dialog.PressAt(dialog.TileCentre(3)); // separate files
        dialog.PressAt(dialog.TileCentre(0)); // all
        return wxID_OK;
    };
    CExportDialogBase::SetTestHooks(hooks);
    CExportCsvDialog dialog(nullptr);
    EXPECT_EQ(dialog.RunModal(), wxID_OK);
    EXPECT_EQ(dialog.GetTarget(), EXPORT_TARGET_SEPARATE_FILES);
    EXPECT_TRUE(dialog.IsAllData());
}

// Screenshots of both dialogs as a person sees them (from the X server,
// buttons included), for a look.
TEST_F(ExportDialog, Screenshots)
{
    CExportBmpDialog graphic(nullptr);
    graphic.Show();
    Paint(graphic);
    graphic.PressAt(graphic.TileCentre(6));
    graphic.PressAt(graphic.TileCentre(3));
    graphic.PointerAt(graphic.TileCentre(1));
    const wxImage graphicShot = ScreenImage(graphic);
    ASSERT_TRUE(graphicShot.IsOk());
    ASSERT_TRUE(
        graphicShot.SaveFile(TERRION_EXPORT_ARTEFACTS "/export_graphic_dialog.png", wxBITMAP_TYPE_PNG));
    // The screen shows what the paint draws.
    const wxImage painted = Paint(graphic);
    const wxPoint client =
        graphic.GetClientAreaOrigin() + graphic.ClientToScreen(wxPoint(0, 0)) - graphic.GetScreenPosition();
    const SGridRect& hovered = Tile(graphic, 1).rect;
    EXPECT_EQ(At(graphicShot, client.x + hovered.left, client.y + hovered.top + 3),
              At(painted, hovered.left, hovered.top + 3));

    CExportCsvDialog csv(nullptr);
    csv.Show();
    Paint(csv);
    csv.PointerAt(csv.TileCentre(4));
    const wxImage csvShot = ScreenImage(csv);
    ASSERT_TRUE(csvShot.IsOk());
    ASSERT_TRUE(csvShot.SaveFile(TERRION_EXPORT_ARTEFACTS "/export_csv_dialog.png", wxBITMAP_TYPE_PNG));
}

} // namespace TerrionTest
