#pragma once

#include <string>

// The part of a pane's text that a new text changes: everything between their common start and
// their common end. Replacing only that part keeps a small change small, so the pane keeps its
// scroll position and the change is one undo step. Positions are UTF-16 code units, as both
// toolkits' edit controls count them; a surrogate pair is never split.
struct ChangedPart {
    int start = 0;  // where the old and the new text begin to differ
    int oldEnd = 0; // the end of the replaced part in the old text
    int newEnd = 0; // the end of the inserted part in the new text
    bool changed = false;
};

ChangedPart FindChangedPart(const std::u16string& oldText, const std::u16string& newText);
