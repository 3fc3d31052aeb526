// The measurement-settings dialog: the k it shows while the user types, its
// checks on OK, and the shape read back by position whatever the language.

#include "app/connection/wx/ContactSpacingDlg.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "tests/connection/ConnectionTestSupport.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace
{

using namespace ConnectionTest;
namespace Ids = Resources::Ids;
using Msg = CUserPrompts;
using TMeasSettings = Device::CTerrionDevice::TMeasSettings;

TMeasSettings SurfaceFlat()
{
    TMeasSettings record{};
    record.defaultSpacing = 500;
    record.spacingWord = 0xFFFF;
    record.format = 1;
    record.contactSpacing = 0xFFFF;
    record.correctionFactor = 1.0f;
    record.mode = Device::NMeasurementMode::Surface;
    record.shape = Device::NSpecimenShape::Flat;
    record.correctionKind = Device::NCorrectionKind::Geometric;
    return record;
}

void Click(wxRadioButton* button)
{
    button->SetValue(true);
    wxCommandEvent event(wxEVT_RADIOBUTTON, button->GetId());
    event.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(event);
}

void Choose(wxChoice* list, int position)
{
    list->SetSelection(position);
    wxCommandEvent event(wxEVT_CHOICE, list->GetId());
    event.SetEventObject(list);
    event.SetInt(position);
    list->GetEventHandler()->ProcessEvent(event);
}

void PressOk(CContactSpacingDlg& dialog)
{
    wxCommandEvent click(wxEVT_BUTTON, dialog.OkButton()->GetId());
    click.SetEventObject(dialog.OkButton());
    dialog.OkButton()->GetEventHandler()->ProcessEvent(click);
}

class ContactSpacingDialog : public ::testing::Test
{
protected:
    ContactSpacingDialog() : dialog(nullptr, messages) { dialog.SetRecord(SurfaceFlat()); }

    CScriptedPrompts messages;
    CContactSpacingDlg dialog;
};

TEST_F(ContactSpacingDialog, StartsFromTheRecordWithoutRecalculating)
{
    TMeasSettings record = SurfaceFlat();
    record.correctionFactor = 1.25f; // stored k, shown as it is
    record.customSpacing = true;
    record.contactSpacing = 380;
    dialog.SetRecord(record);
    EXPECT_TRUE(dialog.Surface()->GetValue());
    EXPECT_TRUE(dialog.CustomSpacing()->GetValue());
    EXPECT_EQ(dialog.SpacingEdit()->GetValue(), wxString(wxS("38.0")));
    EXPECT_EQ(dialog.TotalEdit()->GetValue(), wxString(wxS("1.250")));
    EXPECT_EQ(dialog.CustomFactorEdit()->GetValue(), wxString(wxS("--")));
    EXPECT_EQ(dialog.ShapeList()->GetStringSelection(), wxString(wxS("Flat")));
    EXPECT_FALSE(dialog.LengthEdit()->IsEnabled());
    EXPECT_FALSE(dialog.TotalEdit()->IsEnabled());
    EXPECT_TRUE(dialog.SpacingEdit()->IsEnabled());
}

TEST_F(ContactSpacingDialog, ShowsTheLiveFactorOfEachShape)
{
    Click(dialog.CustomSpacing());
    dialog.SpacingEdit()->SetValue(wxS("50"));
    Choose(dialog.ShapeList(), 1); // cylinder
    EXPECT_EQ(dialog.DiameterLabel()->GetLabel(), wxString(wxS("Diameter:")));
    dialog.LengthEdit()->SetValue(wxS("300"));
    dialog.DiameterEdit()->SetValue(wxS("100"));
    EXPECT_EQ(dialog.TotalEdit()->GetValue(), wxString(wxS("2.336")));
    dialog.DiameterEdit()->SetValue(wxS("250")); // d/a = 5: out of range
    EXPECT_EQ(dialog.TotalEdit()->GetValue(), wxString(wxS("--")));

    Click(dialog.Bulk());
    EXPECT_EQ(dialog.SpacingEdit()->GetValue(), wxString(wxS("--")));
    EXPECT_FALSE(dialog.CustomCorrection()->IsEnabled());
    Choose(dialog.ShapeList(), 1); // prism
    EXPECT_EQ(dialog.DiameterLabel()->GetLabel(), wxString(wxS("Width:")));
    EXPECT_TRUE(dialog.DepthEdit()->IsEnabled());
    dialog.LengthEdit()->SetValue(wxS("100"));
    dialog.DiameterEdit()->SetValue(wxS("50"));
    dialog.DepthEdit()->SetValue(wxS("200"));
    EXPECT_EQ(dialog.TotalEdit()->GetValue(), wxString(wxS("10.000")));

    Click(dialog.Surface());
    Choose(dialog.ShapeList(), 0); // flat
    EXPECT_EQ(dialog.TotalEdit()->GetValue(), wxString(wxS("1.000")));
    Click(dialog.CustomCorrection());
    EXPECT_FALSE(dialog.ShapeList()->IsEnabled());
    EXPECT_TRUE(dialog.CustomFactorEdit()->IsEnabled());
    dialog.CustomFactorEdit()->SetValue(wxS("0.05"));
    EXPECT_EQ(dialog.TotalEdit()->GetValue(), wxString(wxS("0.000")));
    dialog.CustomFactorEdit()->SetValue(wxS("2.5"));
    EXPECT_EQ(dialog.TotalEdit()->GetValue(), wxString(wxS("2.500")));

    // Bulk always corrects geometrically.
    Click(dialog.Bulk());
    EXPECT_TRUE(dialog.Geometric()->GetValue());
}

TEST_F(ContactSpacingDialog, OkRefusesValuesOutOfRangeAndStaysOpen)
{
    Click(dialog.CustomSpacing());
    dialog.SpacingEdit()->SetValue(wxS("19.9"));
    PressOk(dialog);
    Click(dialog.Bulk());
    Choose(dialog.ShapeList(), 1);
    dialog.LengthEdit()->SetValue(wxS("1"));
    dialog.DiameterEdit()->SetValue(wxS("6500"));
    dialog.DepthEdit()->SetValue(wxS("6500"));
    PressOk(dialog);
    ASSERT_EQ(messages.Texts().size(), 2u);
    EXPECT_EQ(messages.Texts()[0], L"Contact Spacing is out of range!\r\nValid range is: 20.000....600.000");
    EXPECT_NE(messages.Texts()[1].find(L"spacing value of 67242962"), std::wstring::npos);
    EXPECT_TRUE(dialog.IsShown() || !dialog.IsModal());
}

TEST_F(ContactSpacingDialog, OkAsksAndFillsTheRecord)
{
    messages.Answer(Msg::answerNo);
    messages.Answer(Msg::answerYes);
    wxTheApp->CallAfter(
        [this]
        {
            Click(dialog.Bulk());
            Choose(dialog.ShapeList(), 1);
            dialog.LengthEdit()->SetValue(wxS("100"));
            dialog.DiameterEdit()->SetValue(wxS("50"));
            dialog.DepthEdit()->SetValue(wxS("200"));
            PressOk(dialog); // No: stays
            EXPECT_TRUE(dialog.IsModal());
            SaveScreenshot(&dialog, "contact_spacing_dialog");
            PressOk(dialog);
        });
    EXPECT_EQ(dialog.ShowModal(), wxID_OK);
    EXPECT_EQ(messages.Count(Ids::kSettingsDeleteQuestion), 2);
    const TMeasSettings& record = dialog.GetRecord();
    EXPECT_EQ(record.mode, Device::NMeasurementMode::Bulk);
    EXPECT_EQ(record.shape, Device::NSpecimenShape::Prism);
    EXPECT_EQ(record.correctionKind, Device::NCorrectionKind::Geometric);
    EXPECT_EQ(record.length, 1000);
    EXPECT_EQ(record.diameter, 500);
    EXPECT_EQ(record.depth, 2000);
    EXPECT_FLOAT_EQ(record.correctionFactor, 10.0f);
    EXPECT_EQ(record.spacingWord, 159);
}

TEST_F(ContactSpacingDialog, EnterMovesOnAndEscapeDoesNotClose)
{
    wxTheApp->CallAfter(
        [this]
        {
            Click(dialog.Bulk());
            Choose(dialog.ShapeList(), 1);
            dialog.LengthEdit()->SetFocus();
            dialog.OnEnter(dialog.LengthEdit());
            wxTheApp->Yield(true);
            EXPECT_EQ(wxWindow::FindFocus(), dialog.DiameterEdit());
            wxKeyEvent escape(wxEVT_CHAR_HOOK);
            escape.m_keyCode = WXK_ESCAPE;
            dialog.GetEventHandler()->ProcessEvent(escape);
            EXPECT_TRUE(dialog.IsModal());
            dialog.EndModal(wxID_CANCEL);
        });
    EXPECT_EQ(dialog.ShowModal(), wxID_CANCEL);
}

/// A language that names the shapes in German.
class CGermanShapes : public Resources::CTextSource
{
public:
    bool Find(unsigned id, std::wstring& text) const override
    {
        if (id == Ids::kShapeFlat)
            text = L"Flach";
        else if (id == Ids::kShapeCylinder)
            text = L"Zylinder";
        else if (id == Ids::kShapePrism)
            text = L"Prisma";
        else
            return false;
        return true;
    }
};

TEST(ContactSpacingDialogLanguage, TheShapeIsReadByPositionNotByItsText)
{
    Resources::CStringTable::Install(std::make_shared<CGermanShapes>());
    CScriptedPrompts messages;
    messages.Answer(Msg::answerYes);
    CContactSpacingDlg dialog(nullptr, messages);
    TMeasSettings record = SurfaceFlat();
    dialog.SetRecord(record);
    wxTheApp->CallAfter(
        [&dialog]
        {
            Click(dialog.CustomSpacing());
            dialog.SpacingEdit()->SetValue(wxS("50"));
            Choose(dialog.ShapeList(), 1);
            EXPECT_EQ(dialog.ShapeList()->GetStringSelection(), wxString(wxS("Zylinder")));
            dialog.LengthEdit()->SetValue(wxS("300"));
            dialog.DiameterEdit()->SetValue(wxS("100"));
            PressOk(dialog);
        });
    EXPECT_EQ(dialog.ShowModal(), wxID_OK);
    Resources::CStringTable::Install(nullptr);
    EXPECT_EQ(dialog.GetRecord().shape, Device::NSpecimenShape::Cylinder);
    EXPECT_EQ(dialog.GetRecord().contactSpacing, 500);
    EXPECT_EQ(dialog.GetRecord().spacingWord, 186);
}

} // namespace
