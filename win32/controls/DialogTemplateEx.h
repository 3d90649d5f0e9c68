#pragma once

#include "uilogic/DialogTemplate.h"

#include <windows.h>

#include <vector>

// The in-memory DLGTEMPLATEEX of a dialog template, as DialogBoxIndirectParamW and
// CreateDialogIndirectParamW take it. Rectangles stay in dialog units, so the dialog manager
// scales them with the dialog's font, which follows the monitor's DPI.
class DialogTemplateEx {
public:
    explicit DialogTemplateEx(const DialogTemplate& tmpl);

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }
    size_t SizeInBytes() const { return m_words.size() * sizeof(WORD); }

    // The window styles one control or the dialog gets.
    static DWORD ControlStyle(const ControlTemplate& control);
    static DWORD DialogStyle(unsigned style);
    static DWORD DialogExStyle(unsigned style);

private:
    void Word(WORD w) { m_words.push_back(w); }
    void DWord(DWORD d);
    void Text(const char* utf8);
    void AlignToDWord();

    std::vector<WORD> m_words;
};
