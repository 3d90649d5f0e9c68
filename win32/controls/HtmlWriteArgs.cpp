#include "win32/controls/HtmlWriteArgs.h"

SAFEARRAY* MakeHtmlWriteArgs(const std::wstring& text) {
    BSTR bstr = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!bstr)
        return nullptr;
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, 1);
    if (!array) {
        SysFreeString(bstr);
        return nullptr;
    }
    VARIANT* element = nullptr;
    if (FAILED(SafeArrayAccessData(array, reinterpret_cast<void**>(&element)))) {
        SysFreeString(bstr);
        SafeArrayDestroy(array);
        return nullptr;
    }
    element->vt = VT_BSTR;
    element->bstrVal = bstr; // the array owns it from here
    SafeArrayUnaccessData(array);
    return array;
}
