#include "uilogic/BrowserDocument.h"

#include "engine/CharClass.h"

#include <utility>

std::string BrowserDocument::Acquire() {
    m_bDocument = true;
    std::lock_guard<std::mutex> lock(m_csPending);
    return std::exchange(m_strPendingHtml, std::string());
}

bool BrowserDocument::Write(const std::string& html) {
    if (!m_bDocument) {
        std::lock_guard<std::mutex> lock(m_csPending);
        m_strPendingHtml += html;
        return false;
    }
    if (m_bClosed) {
        m_strDocument.clear();
        m_bClosed = false;
    }
    m_strDocument += html;
    return true;
}

bool BrowserDocument::Close() {
    if (!m_bDocument)
        return false;
    Write(std::string());
    m_bClosed = true;
    return true;
}

std::string BrowserDocument::Pending() const {
    std::lock_guard<std::mutex> lock(m_csPending);
    return m_strPendingHtml;
}

namespace {

std::string Lowered(const std::string& text) {
    std::string lowered = text;
    for (char& c : lowered)
        c = AsciiLower(c);
    return lowered;
}

} // namespace

std::string AskForCurrentDocumentMode(const std::string& page) {
    static const char kTag[] = "<meta http-equiv=\"X-UA-Compatible\" content=\"IE=edge\">";
    const std::string lowered = Lowered(page);
    if (lowered.find("x-ua-compatible") != std::string::npos)
        return page;
    // "<head>" or "<head ...>", not "<header>".
    for (size_t pos = lowered.find("<head"); pos != std::string::npos;
         pos = lowered.find("<head", pos + 1)) {
        const size_t after = pos + 5;
        if (after < lowered.size() && (lowered[after] == '>' || lowered[after] == ' ')) {
            const size_t end = lowered.find('>', after);
            if (end == std::string::npos)
                return page;
            std::string asked = page;
            asked.insert(end + 1, kTag);
            return asked;
        }
    }
    return page;
}
