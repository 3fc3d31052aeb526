#pragma once
// Paints a window now, while the user-interface thread is busy with
// synchronous instrument work. GTK lays out and paints only from its main
// loop, so a changed control shows nothing until the work ends: this lets the
// loop run for layout and paint events only, for two frames; user input and
// timers wait until the work is done.

class wxWindow;

class CProgressRepaint
{
public:
    static void Now(wxWindow* window);
};
