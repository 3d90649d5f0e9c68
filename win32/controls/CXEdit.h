#pragma once

#include "win32/controls/CXControl.h"

#include <string>

// An edit control that keeps a copy of its text (UTF-8) in the object, shows no context menu,
// and takes the skin's edit colour while editable.
class CXEdit : public CXControl {
public:
    void SetText(const std::string& text);
    std::string GetText() const { return m_text; }

protected:
    void OnAttached() override;
    bool OnReflectedCommand(int code) override;
    bool OnReflectedColor(HDC dc, HBRUSH& brush) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::string m_text;
};
