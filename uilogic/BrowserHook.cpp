#include "uilogic/BrowserHook.h"

#include "engine/CharClass.h"

std::string HookUrlText(const std::string& url) {
    static const std::string kBlank = "about:blank";
    const size_t n = url.size();
    if (n > kBlank.size() && url.compare(n - kBlank.size(), kBlank.size(), kBlank) == 0)
        return n > 13 ? url.substr(0, n - 13) : std::string();
    return url;
}

bool OfferNavigation(BrowserHook& hook, const std::string& url) {
    if (!hook.pfnCallback)
        return true;
    const std::string text = HookUrlText(url);
    hook.bAllow = 0;
    hook.pszUrl = text.c_str();
    hook.pfnCallback(&hook);
    hook.pszUrl = nullptr;
    return hook.bAllow != 0;
}

bool IsExternalAddress(const std::string& url) {
    static const char* const kSchemes[] = {"http:", "https:", "mailto:", "ftp:"};
    for (const char* scheme : kSchemes) {
        const std::string prefix = scheme;
        if (url.size() <= prefix.size())
            continue;
        bool same = true;
        for (size_t i = 0; i < prefix.size() && same; ++i)
            same = AsciiLower(url[i]) == prefix[i];
        if (same)
            return true;
    }
    return false;
}
