#pragma once

#include <QString>

class QTextDocument;

// Changes a document from oldText (its current plain text) to newText by replacing only the
// part FindChangedPart finds, so that a small change stays small: the view keeps its scroll
// position and the edit can be undone, as one step of its own. Returns the position just
// after the inserted text.
int ReplaceChangedPart(QTextDocument* document, const QString& oldText, const QString& newText);
