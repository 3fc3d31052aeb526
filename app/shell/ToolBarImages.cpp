#include "app/shell/ToolBarImages.h"

#include "app/shell/CommandIds.h"

#include <wx/dcmemory.h>
#include <wx/graphics.h>
#include <wx/image.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace
{

const wxColour kInk(40, 60, 90);
const wxColour kBlue(30, 110, 200);
const wxColour kGreen(40, 150, 70);
const wxColour kPaper(250, 250, 245);
const wxColour kOrange(230, 140, 30);

/// The letters of a picture, as many pixels high whatever the desktop's
/// text scale: a larger text scale must not push them out of their shapes.
wxFont PictureFont(int pixels)
{
    return wxFont(wxFontInfo(wxSize(0, pixels)).Bold());
}

void Arrow(wxGraphicsContext& gc, double x, double top, double bottom, bool down, const wxColour& colour)
{
    gc.SetPen(*wxTRANSPARENT_PEN);
    gc.SetBrush(wxBrush(colour));
    const double tip = down ? bottom : top;
    const double base = down ? bottom - 8 : top + 8;
    gc.DrawRectangle(x - 3, down ? top : base, 6, down ? base - top : bottom - base);
    wxPoint2DDouble head[3] = {{x - 8, base}, {x + 8, base}, {x, tip}};
    gc.DrawLines(3, head);
}

void Sheet(wxGraphicsContext& gc, double x, double y, double w, double h)
{
    gc.SetPen(wxPen(kInk, 1));
    gc.SetBrush(wxBrush(kPaper));
    gc.DrawRectangle(x, y, w, h);
}

void Draw(wxGraphicsContext& gc, int command)
{
    switch (command)
    {
    case AppIds::kDeviceDownload: // the instrument, an arrow down into the tray
        gc.SetPen(wxPen(kInk, 2));
        gc.SetBrush(wxBrush(wxColour(220, 225, 235)));
        gc.DrawRoundedRectangle(6, 27, 25, 7, 2);
        Arrow(gc, 18.5, 3, 26, true, kBlue);
        break;
    case AppIds::kDeviceUpgrade: // a chip with an arrow up
        gc.SetPen(wxPen(kInk, 2));
        gc.SetBrush(wxBrush(wxColour(60, 70, 80)));
        gc.DrawRectangle(8, 16, 21, 16);
        for (int i = 0; i < 4; ++i)
        {
            gc.StrokeLine(11 + i * 5, 32, 11 + i * 5, 35);
            gc.StrokeLine(11 + i * 5, 13, 11 + i * 5, 16);
        }
        Arrow(gc, 18.5, 2, 14, false, kGreen);
        break;
    case AppIds::kProjectOpen: // an open folder
        gc.SetPen(wxPen(kInk, 1));
        gc.SetBrush(wxBrush(wxColour(240, 200, 90)));
        gc.DrawRectangle(4, 10, 26, 20);
        gc.SetBrush(wxBrush(wxColour(250, 220, 120)));
        {
            wxPoint2DDouble front[5] = {{4, 30}, {10, 16}, {34, 16}, {30, 30}, {4, 30}};
            gc.DrawLines(5, front);
        }
        break;
    case AppIds::kProjectSave: // a disk
        gc.SetPen(wxPen(kInk, 1));
        gc.SetBrush(wxBrush(kBlue));
        gc.DrawRoundedRectangle(5, 5, 27, 27, 3);
        gc.SetBrush(wxBrush(kPaper));
        gc.DrawRectangle(10, 5, 17, 10);
        gc.SetBrush(wxBrush(wxColour(200, 205, 215)));
        gc.DrawRectangle(10, 21, 17, 11);
        break;
    case AppIds::kExportCsv: // a sheet of columns
        Sheet(gc, 7, 3, 23, 31);
        gc.SetPen(wxPen(kGreen, 2));
        for (int row = 0; row < 5; ++row)
        {
            gc.StrokeLine(10, 9 + row * 5, 16, 9 + row * 5);
            gc.StrokeLine(19, 9 + row * 5, 27, 9 + row * 5);
        }
        break;
    case AppIds::kExportGraphic: // a picture: sun and hills
        Sheet(gc, 4, 6, 29, 25);
        gc.SetPen(*wxTRANSPARENT_PEN);
        gc.SetBrush(wxBrush(kOrange));
        gc.DrawEllipse(22, 9, 7, 7);
        gc.SetBrush(wxBrush(kGreen));
        {
            wxPoint2DDouble hills[5] = {{5, 30}, {14, 16}, {21, 25}, {25, 20}, {32, 30}};
            gc.DrawLines(5, hills);
        }
        break;
    case AppIds::kPrint: // a printer with its sheet
        Sheet(gc, 11, 4, 15, 12);
        gc.SetPen(wxPen(kInk, 1));
        gc.SetBrush(wxBrush(wxColour(150, 155, 165)));
        gc.DrawRoundedRectangle(4, 15, 29, 13, 2);
        Sheet(gc, 10, 24, 17, 10);
        break;
    case AppIds::kHelp: // a question mark in a circle
    {
        gc.SetPen(wxPen(kBlue, 2));
        gc.SetBrush(wxBrush(wxColour(225, 238, 255)));
        gc.DrawEllipse(4, 4, 29, 29);
        gc.SetFont(PictureFont(25), kBlue);
        double w = 0;
        double h = 0;
        gc.GetTextExtent(L"?", &w, &h);
        gc.DrawText(L"?", 18.5 - w / 2, 18.5 - h / 2);
        break;
    }
    default:
        break;
    }
}

wxBitmap Render(int width, int height, const std::function<void(wxGraphicsContext&)>& paint)
{
    wxImage image(width, height);
    image.InitAlpha();
    std::fill_n(image.GetAlpha(), width * height, static_cast<unsigned char>(0));
    std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::Create(image));
    if (gc)
        paint(*gc);
    gc.reset(); // draws into the image when destroyed
    return wxBitmap(image);
}

} // namespace

wxBitmap CToolBarImages::ForCommand(int command)
{
    return Render(kSize, kSize, [command](wxGraphicsContext& gc) { Draw(gc, command); });
}

wxBitmap CToolBarImages::AppIcon()
{
    return Render(48, 48,
                  [](wxGraphicsContext& gc)
                  {
                      gc.SetPen(*wxTRANSPARENT_PEN);
                      gc.SetBrush(wxBrush(wxColour(0, 70, 140)));
                      gc.DrawRoundedRectangle(2, 2, 44, 44, 8);
                      gc.SetFont(PictureFont(37), *wxWHITE);
                      double w = 0;
                      double h = 0;
                      gc.GetTextExtent(L"T", &w, &h);
                      gc.DrawText(L"T", 24 - w / 2, 24 - h / 2);
                  });
}

wxBitmap CToolBarImages::Logo(bool pressed)
{
    return Render(120, kSize,
                  [pressed](wxGraphicsContext& gc)
                  {
                      const double shift = pressed ? 1 : 0;
                      gc.SetPen(*wxTRANSPARENT_PEN);
                      gc.SetBrush(wxBrush(wxColour(0, 70, 140)));
                      gc.DrawRoundedRectangle(1 + shift, 3 + shift, 116, 31, 4);
                      gc.SetFont(PictureFont(23), *wxWHITE);
                      double w = 0;
                      double h = 0;
                      gc.GetTextExtent(L"VARNEL", &w, &h);
                      gc.DrawText(L"VARNEL", 59 - w / 2 + shift, 18.5 - h / 2 + shift);
                  });
}
