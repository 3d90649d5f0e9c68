#include "settings/TextTable.h"

#include "settings/TextScramble.h"
#include "settings/TextTableRecord.h"

#include <algorithm>

namespace {

// The plain texts, unscrambled on the first fetch.
std::unique_ptr<char[]> g_plainTexts;

} // namespace

const char* FetchText(TextTableRecord& table, std::unique_ptr<char[]>& plain, int id) {
    if (id < 0 || id >= kTextCount)
        return "";
    if (table.state == kTextTableStored || !plain) {
        table.state = id;
        // Value-initialised, so bytes past a short scrambled length read as zero.
        plain = std::make_unique<char[]>(table.allocationSize);
        const uint32_t length = std::min(table.scrambledLength, table.allocationSize);
        for (uint32_t i = 0; i < length; ++i)
            plain[i] = static_cast<char>(UnscrambleByte(table.block[i], i));
    }
    const uint32_t offset = table.offsets[id];
    if (offset >= table.allocationSize || plain[table.allocationSize - 1] != '\0')
        return ""; // a damaged table: never hand out an unterminated text
    return plain.get() + offset;
}

const char* GetText(TextId id) {
    return FetchText(g_textTable, g_plainTexts, static_cast<int>(id));
}

void ReleaseTexts() {
    g_plainTexts.reset();
}
