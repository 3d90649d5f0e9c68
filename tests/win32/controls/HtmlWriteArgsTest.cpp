// The argument that carries a page into the HTML document in one write.
#include "win32/controls/HtmlWriteArgs.h"

#include <gtest/gtest.h>

namespace {

// The text of the array's one element; fails the test when the array has another shape.
std::wstring OnlyText(SAFEARRAY* array) {
    EXPECT_EQ(SafeArrayGetDim(array), 1u);
    LONG lower = -1;
    LONG upper = -1;
    SafeArrayGetLBound(array, 1, &lower);
    SafeArrayGetUBound(array, 1, &upper);
    EXPECT_EQ(lower, 0);
    EXPECT_EQ(upper, 0);
    VARTYPE type = VT_EMPTY;
    SafeArrayGetVartype(array, &type);
    EXPECT_EQ(type, VT_VARIANT);
    VARIANT* element = nullptr;
    if (FAILED(SafeArrayAccessData(array, reinterpret_cast<void**>(&element))))
        return L"(no data)";
    std::wstring text;
    EXPECT_EQ(element->vt, VT_BSTR);
    if (element->vt == VT_BSTR && element->bstrVal)
        text.assign(element->bstrVal, SysStringLen(element->bstrVal));
    SafeArrayUnaccessData(array);
    return text;
}

TEST(HtmlWriteArgsTest, TheWholeTextIsOneStringInOneElement) {
    const std::wstring page = L"<html><head></head><body>Zo\u00eb \u8a08\u7b97</body></html>";
    SAFEARRAY* args = MakeHtmlWriteArgs(page);
    ASSERT_NE(args, nullptr);
    EXPECT_EQ(OnlyText(args), page);
    EXPECT_EQ(SafeArrayDestroy(args), S_OK);

    std::wstring big(20000, L'x'); // far beyond any fixed buffer, with a zero inside
    big[100] = L'\0';
    args = MakeHtmlWriteArgs(big);
    ASSERT_NE(args, nullptr);
    EXPECT_EQ(OnlyText(args), big);
    SafeArrayDestroy(args);

    args = MakeHtmlWriteArgs(std::wstring());
    ASSERT_NE(args, nullptr);
    EXPECT_EQ(OnlyText(args), L"");
    SafeArrayDestroy(args);
}

} // namespace
