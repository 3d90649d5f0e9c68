#include "qt/ui/PaneEdit.h"

#include <QTextCursor>
#include <QTextDocument>

#include <QAbstractUndoItem>

#include <algorithm>
#include <memory>

namespace {

// Ends an undo step; undoing or redoing it does nothing.
class StepEnd : public QAbstractUndoItem {
public:
    void undo() override {}
    void redo() override {}
};

} // namespace

int ReplaceChangedPart(QTextDocument* document, const QString& oldText, const QString& newText) {
    const qsizetype oldSize = oldText.size();
    const qsizetype newSize = newText.size();
    const qsizetype shorter = std::min(oldSize, newSize);
    qsizetype prefix = 0;
    while (prefix < shorter && oldText[prefix] == newText[prefix])
        ++prefix;
    if (prefix > 0 && prefix < shorter && newText[prefix - 1].isHighSurrogate())
        --prefix; // never split a surrogate pair
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           oldText[oldSize - 1 - suffix] == newText[newSize - 1 - suffix])
        ++suffix;
    if (suffix > 0 && suffix < shorter - prefix && newText[newSize - suffix].isLowSurrogate())
        --suffix;
    const qsizetype insertEnd = newSize - suffix;
    if (prefix == oldSize - suffix && prefix == insertEnd)
        return static_cast<int>(insertEnd); // nothing changed

    QTextCursor cursor(document);
    cursor.setPosition(static_cast<int>(prefix));
    cursor.setPosition(static_cast<int>(oldSize - suffix), QTextCursor::KeepAnchor);
    // One undo step of its own. The document merges text typed next to an insertion into it,
    // even across an edit block, unless the block ends in something other than an insertion.
    cursor.beginEditBlock();
    cursor.insertText(newText.mid(prefix, insertEnd - prefix));
    document->appendUndoItem(std::make_unique<StepEnd>().release()); // the document owns it
    cursor.endEditBlock();
    return static_cast<int>(insertEnd);
}
