#pragma once
// The progress window a page shows during a long export: a bar from 0 to
// 1000 and a line of text, redrawn at once since the message loop does not
// run meanwhile. The window goes when this object goes.

#include <string>

class CViewProgress
{
public:
    virtual ~CViewProgress() = default;
    virtual void SetPos(int position) = 0;
    virtual void SetText(const std::wstring& text) = 0;
};
