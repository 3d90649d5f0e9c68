#pragma once

#include <mutex>
#include <string>

// The document of a page view as its owner writes it: text written before the view has a
// document waits as pending text; writes append to the open document; a closed document is
// replaced by the next write. The view applies each answer to its own HTML engine.
class BrowserDocument {
public:
    // The view has its document from now on. Answers the pending text (now emptied), which the
    // view writes at once.
    std::string Acquire();
    bool HasDocument() const { return m_bDocument; }

    // A write of html. True when it goes into the document now (the view hands html to its
    // engine; a closed document was replaced by a new, empty one first); false when there is no
    // document yet and html waits as pending text.
    bool Write(const std::string& html);
    // Closes the document so that the next write starts a new page. False without a document.
    bool Close();

    // The text of the open document, the pages written since it was last closed.
    const std::string& Text() const { return m_strDocument; }
    bool IsClosed() const { return m_bClosed; }
    std::string Pending() const;

private:
    mutable std::mutex m_csPending; // guards m_strPendingHtml
    std::string m_strPendingHtml;
    std::string m_strDocument;
    bool m_bDocument = false;
    bool m_bClosed = false;
};

// The page asking its view for the engine's current document mode, for an engine that otherwise
// shows pages in an older mode: the X-UA-Compatible tag right after the page's <head>. A page
// without a head, or one that already names a mode, is left as it is.
std::string AskForCurrentDocumentMode(const std::string& page);
