#pragma once

#include <string>

// Each front end has its own CXWebBrowser; the hook only carries a pointer to the calling one.
class CXWebBrowser;

// How a CXWebBrowser asks its owner whether a navigation may proceed.
struct BrowserHook {
    void (*pfnCallback)(BrowserHook* hook) = nullptr; // null: every navigation proceeds
    void* pOwner = nullptr;
    const char* pszUrl = nullptr; // the target address (UTF-8), valid during the call only
    CXWebBrowser* pBrowser = nullptr;
    int bAllow = 0; // the callback sets it nonzero to let the navigation proceed
};

// Before-navigate's rule about "about:blank": a URL longer than 11 characters that ends in
// "about:blank" is passed on without its last 13 characters; any other URL unchanged.
std::string HookUrlText(const std::string& url);

// Offers a navigation to url to the hook: true when it may proceed (no callback, or the callback
// allowed it). pszUrl is valid only during the call.
bool OfferNavigation(BrowserHook& hook, const std::string& url);

// An address that leaves the program's own pages for the outside world (a web or mail address):
// a page view without a hook hands it to the system instead of showing it in a small dialog.
bool IsExternalAddress(const std::string& url);
