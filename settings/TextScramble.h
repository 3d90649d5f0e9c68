#pragma once

#include <cstddef>
#include <cstdint>

// The text block is stored scrambled: byte i of the stored block is plain byte i plus 5 * i,
// modulo 256, with i counted over the whole block. Shared by the build tool and the reader.

inline uint8_t ScrambleByte(uint8_t plain, size_t position) {
    return static_cast<uint8_t>(plain + 5u * static_cast<unsigned>(position & 0xFF));
}

inline uint8_t UnscrambleByte(uint8_t stored, size_t position) {
    return static_cast<uint8_t>(stored - 5u * static_cast<unsigned>(position & 0xFF));
}
