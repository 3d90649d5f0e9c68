// What a page view passes to its owner's hook, and which addresses leave the program's pages.
#include "uilogic/BrowserHook.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(BrowserHookTest, UrlTextDropsATrailingAboutBlankWithTheTwoCharactersBeforeIt) {
    const struct {
        const char* url;
        const char* passed;
    } kCases[] = {
        {"about:blank", "about:blank"},
        {"keylnk:ababout:blank", "keylnk:"},
        {"xabout:blank", ""},
        {"xyabout:blank", ""},
        {"xyzabout:blank", "x"},
        {"about:blankx", "about:blankx"},
        {"keylnk:ABOUT:BLANK", "keylnk:ABOUT:BLANK"},
        {"keylnk:sin", "keylnk:sin"},
        {"", ""},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(HookUrlText(c.url), c.passed) << c.url;
}

struct Owner {
    std::vector<std::string> urls;
    int answer = 0;
    static void Callback(BrowserHook* hook) {
        auto* owner = static_cast<Owner*>(hook->pOwner);
        EXPECT_EQ(hook->bAllow, 0); // cleared before every call
        owner->urls.push_back(hook->pszUrl);
        hook->bAllow = owner->answer;
    }
};

TEST(BrowserHookTest, OfferNavigationAsksTheCallbackAndFollowsItsAnswer) {
    BrowserHook hook;
    EXPECT_TRUE(OfferNavigation(hook, "keylnk:sin")); // no callback: everything proceeds

    Owner owner;
    hook.pfnCallback = &Owner::Callback;
    hook.pOwner = &owner;
    hook.bAllow = 1; // a stale answer from before does not count
    EXPECT_FALSE(OfferNavigation(hook, "keylnk:ababout:blank"));
    owner.answer = 1;
    EXPECT_TRUE(OfferNavigation(hook, "https://corvane.example/"));
    ASSERT_EQ(owner.urls.size(), size_t(2));
    EXPECT_EQ(owner.urls[0], "keylnk:");
    EXPECT_EQ(owner.urls[1], "https://corvane.example/");
    EXPECT_EQ(hook.pszUrl, nullptr); // not left pointing at a text that is gone
}

TEST(BrowserHookTest, ExternalAddressesAreWebAndMailAddresses) {
    EXPECT_TRUE(IsExternalAddress("https://corvane.example/uninstalled"));
    EXPECT_TRUE(IsExternalAddress("HTTP://corvane.example/"));
    EXPECT_TRUE(IsExternalAddress("mailto:someone@corvane.example"));
    EXPECT_FALSE(IsExternalAddress("about:blank#start"));
    EXPECT_FALSE(IsExternalAddress("keylnk:sin"));
    EXPECT_FALSE(IsExternalAddress("res://C:\\corvane.exe/IMG/131"));
    EXPECT_FALSE(IsExternalAddress("http:")); // a scheme alone names nothing
    EXPECT_FALSE(IsExternalAddress(""));
}

} // namespace
