#pragma once

#include <string>

// The keypad's keys and what each does to the expression pane's text.

// The text that the key inserts: the second character of an "n" key of two characters, else
// the key table's text for the key (exact, case-sensitive); "" for any other key.
std::string InsertedTextForKey(const std::string& key);

// When url starts with the first 7 characters of prefix (exact bytes; a shorter url or
// prefix never matches): true, and key is the rest with every trailing '/' removed.
bool KeyNameFromAddress(const std::string& url, const std::string& prefix, std::string& key);

enum class CaretMove { None, Up, Down, Left, Right };

// What one key does to the text.
struct KeyEdit {
    bool textChanged = false; // false: text and selection stay as they are
    std::u16string text;      // the new text, when changed
    int caret = 0;            // the new caret position, when changed
    CaretMove move = CaretMove::None;
};

// Applies key to crlfText with the selection from selStart to selEnd; positions count a line
// break as 2, and the answer is CR LF text with a CR LF caret position.
KeyEdit ApplyKey(const std::string& key, const std::u16string& crlfText, int selStart, int selEnd);

// The same edit on the pane's own form: paneText has '\n' breaks and the selection and the
// answer's caret are cursor positions in it.
KeyEdit ApplyKeyToPane(const std::string& key, const std::u16string& paneText, int selStart,
                       int selEnd);
