#pragma once

#include <cstdint>
#include <memory>

// The stored form of the text table, as the build tool generates it. Only state ever
// changes: -9 while the block has not been unscrambled.
struct TextTableRecord {
    uint32_t offsets[44];     // text k starts at offsets[k]; entry 43 is 0 and unused
    uint32_t allocationSize;  // bytes of the plain block
    uint32_t scrambledLength; // bytes to unscramble (the same value)
    int32_t state;
    const unsigned char* block; // the scrambled block
};

constexpr int32_t kTextTableStored = -9;

// The program's table, in generated source.
extern TextTableRecord g_textTable;

// Fetches text id from table. The first fetch (or the first after the buffer was freed)
// unscrambles the whole block into plain; later fetches only index into it. Ids outside the
// table, and offsets outside the block, give "".
const char* FetchText(TextTableRecord& table, std::unique_ptr<char[]>& plain, int id);
