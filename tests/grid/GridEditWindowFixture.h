#pragma once
// A frame with the demo grid, the focus on the first name and a log of the
// grid's notifications, for the window tests of keyboard and editing.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/utils.h>

#include "grid/GridCtrl.h"
#include "grid/InPlaceEdit.h"
#include "tests/grid/GridDemo.h"
#include "tests/grid/GridGuiPump.h"
#include "tests/support/ScreenImage.h"

class GridEditWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "grid edit test", wxPoint(0, 0), wxSize(640, 360));
        grid = new CGridCtrl(frame, 101);
        frame->Bind(GRID_EVT_NOTIFY,
                    [log = notes](CGridNotifyEvent& event)
                    {
                        log->push_back(event.GetNotify());
                        event.Skip();
                    });
        frame->Show();
        BuildSeriesDemo(*grid, 10);
        Pump();
        grid->SetFocus();
        grid->SetFocusCell(1, 1);
        notes->clear();
    }
    void TearDown() override
    {
        if (frame)
            frame->Destroy();
        Pump();
    }

    /// The grid as the screen shows it, edit included, for a person to look at.
    void SaveScreenshot(const char* name)
    {
        Pump();
        const wxRect area(grid->GetScreenPosition(), grid->GetSize());
        TerrionTest::ScreenImage(area).SaveFile(wxString(TERRION_GRID_ARTEFACTS "/") + name,
                                                wxBITMAP_TYPE_PNG);
    }

    CInPlaceEdit* Edit() const
    {
        return dynamic_cast<CInPlaceEdit*>(grid->FindWindow(IDC_GRID_INPLACE_EDIT));
    }

    void Key(wxWindow* target, wxEventType type, int code, wxChar ch = WXK_NONE, int modifiers = wxMOD_NONE)
    {
        wxKeyEvent event(type);
        event.m_keyCode = code;
        event.m_uniChar = ch;
        event.SetShiftDown((modifiers & wxMOD_SHIFT) != 0);
        event.SetControlDown((modifiers & wxMOD_CONTROL) != 0);
        event.SetAltDown((modifiers & wxMOD_ALT) != 0);
        event.SetEventObject(target);
        target->GetEventHandler()->ProcessEvent(event);
    }

    std::vector<int> Codes() const
    {
        std::vector<int> codes;
        for (const SGridNotify& n : *notes)
            codes.push_back(n.hdr.code);
        return codes;
    }
    bool Saw(int code) const
    {
        for (const SGridNotify& n : *notes)
            if (n.hdr.code == code)
                return true;
        return false;
    }

    wxFrame* frame = nullptr;
    CGridCtrl* grid = nullptr;
    std::shared_ptr<std::vector<SGridNotify>> notes = std::make_shared<std::vector<SGridNotify>>();
};
