#include "uilogic/KeyEdit.h"

#include "uilogic/PaneText.h"

#include <algorithm>
#include <array>

namespace {

struct KeyRow {
    const char* name;
    const char* text;
};

// Searched in this order; the first row whose name equals the key decides.
constexpr std::array<KeyRow, 23> kKeyTable{{
    {"cos", "cos()"},   {"sin", "sin()"},   {"tan", "tan()"}, {"pi", "pi"},      {"asin", "asin()"},
    {"acos", "acos()"}, {"atan", "atan()"}, {"ln", "ln()"},   {"log", "log()"},  {"exp", "exp()"},
    {"ob", "0b"},       {"ox", "0x"},       {"pow", "^"},     {"rad", "root()"}, {"mul", "*"},
    {"div", "/"},       {"add", "+"},       {"sub", "-"},     {"dot", "."},      {"par1", "("},
    {"par2", ")"},      {"equ", "="},       {"ent", "\r\n"},
}};

CaretMove ArrowForKey(const std::string& key) {
    if (key == "up")
        return CaretMove::Up;
    if (key == "dn")
        return CaretMove::Down;
    if (key == "le")
        return CaretMove::Left;
    if (key == "ri")
        return CaretMove::Right;
    return CaretMove::None;
}

// Each byte of a key's text stands for the character of the same code (the key names are 8-bit).
std::u16string Widened(const std::string& text) {
    std::u16string wide;
    wide.reserve(text.size());
    for (const char c : text)
        wide += static_cast<char16_t>(static_cast<unsigned char>(c));
    return wide;
}

} // namespace

std::string InsertedTextForKey(const std::string& key) {
    if (key.size() == 2 && key[0] == 'n')
        return key.substr(1);
    for (const KeyRow& row : kKeyTable) {
        if (key == row.name)
            return row.text;
    }
    return {};
}

bool KeyNameFromAddress(const std::string& url, const std::string& prefix, std::string& key) {
    constexpr size_t kCompared = 7;
    if (url.size() < kCompared || prefix.size() < kCompared ||
        url.compare(0, kCompared, prefix, 0, kCompared) != 0)
        return false;
    key = url.substr(kCompared);
    while (!key.empty() && key.back() == '/')
        key.pop_back();
    return true;
}

KeyEdit ApplyKey(const std::string& key, const std::u16string& crlfText, int selStart, int selEnd) {
    KeyEdit edit;
    const int size = static_cast<int>(crlfText.size());
    int s = std::clamp(std::min(selStart, selEnd), 0, size);
    const int e = std::clamp(std::max(selStart, selEnd), 0, size);
    const std::u16string t = Widened(InsertedTextForKey(key));
    int caretOffset = 0;

    if (key == "del" && s > 0) {
        --s;
        if (crlfText[static_cast<size_t>(s)] == u'\n' && s > 0)
            --s; // a CR LF line break goes as a whole
    } else if (!t.empty()) {
        caretOffset = static_cast<int>(t.size());
        if (t.size() >= 2 && t.back() == u')')
            --caretOffset;
    } else {
        edit.move = ArrowForKey(key);
        return edit;
    }

    edit.textChanged = true;
    edit.text = crlfText;
    edit.text.replace(static_cast<size_t>(s), static_cast<size_t>(e - s), t);
    edit.caret = s + caretOffset;
    return edit;
}

KeyEdit ApplyKeyToPane(const std::string& key, const std::u16string& paneText, int selStart,
                       int selEnd) {
    KeyEdit edit = ApplyKey(key, WithCrLf(paneText), CrLfPosFromCursor(paneText, selStart),
                            CrLfPosFromCursor(paneText, selEnd));
    if (edit.textChanged) {
        edit.text = WithoutCrLf(edit.text);
        edit.caret = CursorPosFromCrLf(edit.text, edit.caret);
    }
    return edit;
}
