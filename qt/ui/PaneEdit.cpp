#include "qt/ui/PaneEdit.h"

#include "uilogic/ChangedPart.h"

#include <QTextCursor>
#include <QTextDocument>

#include <QAbstractUndoItem>

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
    const ChangedPart part = FindChangedPart(oldText.toStdU16String(), newText.toStdU16String());
    if (!part.changed)
        return part.newEnd;

    QTextCursor cursor(document);
    cursor.setPosition(part.start);
    cursor.setPosition(part.oldEnd, QTextCursor::KeepAnchor);
    // One undo step of its own. The document merges text typed next to an insertion into it,
    // even across an edit block, unless the block ends in something other than an insertion.
    cursor.beginEditBlock();
    cursor.insertText(newText.mid(part.start, part.newEnd - part.start));
    document->appendUndoItem(std::make_unique<StepEnd>().release()); // the document owns it
    cursor.endEditBlock();
    return part.newEnd;
}
