#pragma once

#include <windows.h>

#include <oleauto.h>

#include <string>

// The argument of IHTMLDocument2::write: a one-element, zero-based SAFEARRAY of VARIANT that
// holds the whole text as one BSTR, so a page of any length goes in with a single write. Null
// when it cannot be made. SafeArrayDestroy frees the array and the text with it.
SAFEARRAY* MakeHtmlWriteArgs(const std::wstring& text);
