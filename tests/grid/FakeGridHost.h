#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "grid/GridCacheHint.h"
#include "grid/GridDisplayInfo.h"
#include "grid/GridHost.h"
#include "tests/grid/FakeGridSurface.h"
#include "tests/grid/FakeInPlaceEditor.h"

/// A window for the grid core: a client area whose scroll bars take 15
/// pixels each, and records of invalidations, scroll bars and notifications.
class CFakeGridHost : public CGridHost
{
public:
    static constexpr int kBarSize = 15;

    explicit CFakeGridHost(int width = 400, int height = 300) : m_width(width), m_height(height) {}
    virtual ~CFakeGridHost() = default;

    void SetWindowSize(int width, int height)
    {
        m_width = width;
        m_height = height;
    }

    bool HostIsWindow() const override { return isWindow; }
    SGridRect HostClientRect() const override
    {
        return SGridRect{0, 0, m_width - (barShown[SB_VERT] ? kBarSize : 0),
                         m_height - (barShown[SB_HORZ] ? kBarSize : 0)};
    }
    void HostInvalidate(const SGridRect* rect) override
    {
        invalidated.push_back(rect ? *rect : HostClientRect());
        ++invalidations;
    }
    std::unique_ptr<CGridSurface> HostWindowSurface() override { return nullptr; }
    std::unique_ptr<CGridSurface> HostMeasureSurface() override
    {
        return canMeasure ? std::make_unique<CFakeGridSurface>() : nullptr;
    }
    void HostShowScrollBar(NGridScrollBar bar, bool show) override
    {
        barShown[bar] = show;
        if (onShowScrollBar)
            onShowScrollBar();
    }
    void HostSetScrollInfo(NGridScrollBar bar, int maximum, int page, int pos) override
    {
        barMax[bar] = maximum;
        barPage[bar] = page;
        barPos[bar] = pos;
        ++scrollInfoCalls[bar];
    }
    int HostScrollBarSize(NGridScrollBar) const override { return kBarSize; }
    TGridColor HostSysColor(NGridSysColor which) const override
    {
        switch (which)
        {
        case NGridSysColor::WindowText:
            return GridRgb(0, 0, 0);
        case NGridSysColor::Window:
            return GridRgb(255, 255, 255);
        case NGridSysColor::BtnFace:
            return GridRgb(212, 208, 200);
        case NGridSysColor::BtnShadow:
            return GridRgb(128, 128, 128);
        case NGridSysColor::BtnHighlight:
            return GridRgb(255, 255, 254);
        case NGridSysColor::DkShadow3D:
            return GridRgb(64, 64, 64);
        }
        return 0;
    }
    SGridFont HostDefaultFont() const override { return SGridFont{L"Sans", 12}; }
    int HostWheelScrollLines() const override { return wheelLines; }
    long HostNotify(const SGridNotify& notify) override
    {
        notifications.push_back(notify);
        return answer ? answer(notify) : notifyAnswer;
    }
    void HostPostCommand() override { ++commands; }
    unsigned HostModifiers() const override { return modifiers; }
    void HostSetTimer(int id, int milliseconds) override
    {
        timerId = id;
        timerInterval = milliseconds;
    }
    void HostKillTimer(int) override { timerId = 0; }
    void HostCaptureMouse() override { captured = true; }
    void HostReleaseMouse() override { captured = false; }
    bool HostHasCapture() const override { return captured; }
    void HostSetCursor(NGridCursor which) override { cursor = which; }

    // Mouse and the hot-spot tip.
    struct STip
    {
        SGridRect rect;
        std::wstring title;
        std::wstring text;
    };
    void HostSetFocus() override { ++focusTaken; }
    bool HostCursorPos(SGridPoint* point) const override
    {
        *point = cursorPos;
        return true;
    }
    void HostSetTipTool(const SGridRect& rect, const std::wstring& title, const std::wstring& text) override
    {
        tips.push_back(STip{rect, title, text});
        tipTool = true;
    }
    void HostRemoveTipTool() override { tipTool = false; }
    void HostPopTip() override { ++tipPops; }

    int timerId = 0;
    int timerInterval = 0;
    bool captured = false;
    NGridCursor cursor = NGridCursor::Arrow;
    int focusTaken = 0;
    SGridPoint cursorPos;
    std::vector<STip> tips; ///< every tool put up
    bool tipTool = false;
    int tipPops = 0;

    // In-place edits: kept here after they end, so tests can look at them.
    CGridInPlaceEditor* HostCreateInPlaceEdit(CGridCore& grid, SGridRect rect, NGridTextAlign align, unsigned,
                                              int row, int col, const std::wstring& text,
                                              unsigned firstChar) override
    {
        if (!canEdit)
            return nullptr;
        editors.push_back(std::make_unique<CFakeInPlaceEditor>(grid, rect, align, row, col, text, firstChar));
        return editors.back().get();
    }
    CFakeInPlaceEditor* LastEditor() const { return editors.empty() ? nullptr : editors.back().get(); }
    bool canEdit = true;
    std::vector<std::unique_ptr<CFakeInPlaceEditor>> editors;

    // Clipboard and drag-and-drop: a clipboard of one text, a drag that only records.
    bool HostSetClipboardText(const std::wstring& text) override
    {
        if (!clipboardTakesText)
            return false;
        clipboard = text;
        return true;
    }
    bool HostGetClipboardText(std::wstring* text) override
    {
        if (!clipboard)
            return false;
        *text = *clipboard;
        return true;
    }
    bool HostClipboardHasText() override { return clipboard.has_value(); }
    unsigned HostDoDragDrop(const std::wstring& text, unsigned allowed) override
    {
        drags.push_back(text);
        dragAllowed = allowed;
        return dragEffect;
    }
    std::optional<std::wstring> clipboard;
    bool clipboardTakesText = true;
    std::vector<std::wstring> drags;
    unsigned dragAllowed = 0;
    unsigned dragEffect = 0; ///< what the drop did, as HostDoDragDrop answers

    // Virtual mode: the hints and questions in order, with the owner's answers.
    struct SVirtualEvent
    {
        int code;
        int row;
        int col;
        CGridCellRange range;
    };
    void HostCacheHint(const SGridCacheHint& hint) override
    {
        virtualEvents.push_back({hint.hdr.code, -1, -1, hint.range});
    }
    void HostGetDispInfo(SGridDisplayInfo& info) override
    {
        virtualEvents.push_back({info.hdr.code, info.row, info.col, {}});
        if (dispInfo)
            dispInfo(info);
    }
    std::vector<SVirtualEvent> virtualEvents;
    std::function<void(SGridDisplayInfo&)> dispInfo;

    bool isWindow = true;
    bool canMeasure = true;
    int wheelLines = 3;
    unsigned modifiers = 0;
    long notifyAnswer = 0;
    /// Answers notifications in place of notifyAnswer when set.
    std::function<long(const SGridNotify&)> answer;
    int commands = 0;
    int invalidations = 0;
    std::vector<SGridRect> invalidated;
    std::vector<SGridNotify> notifications;
    bool barShown[2] = {false, false};
    int barMax[2] = {0, 0};
    int barPage[2] = {0, 0};
    int barPos[2] = {0, 0};
    int scrollInfoCalls[2] = {0, 0};
    std::function<void()> onShowScrollBar;

private:
    int m_width;
    int m_height;
};
