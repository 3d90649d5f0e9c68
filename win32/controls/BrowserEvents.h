#pragma once

#include <string>

namespace browser_detail {

// What the host's COM objects (BrowserSite.h) ask of their view: the browser's events, and
// fitting the browser into the view's window.
class BrowserEvents {
public:
    virtual void OnBeforeNavigate2(const std::wstring& url, bool& cancel) = 0;
    virtual void OnNavigateComplete2() = 0;
    virtual void OnNewWindow(const std::wstring& url, bool& cancel) = 0;
    virtual void FitBrowser() = 0;

protected:
    ~BrowserEvents() = default;
};

} // namespace browser_detail
