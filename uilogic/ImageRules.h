#pragma once

#include <cstdint>
#include <vector>

// The rules of an image list, on 32-bit pixels 0xAARRGGBB (Qt's QRgb and a Win32 32-bit DIB
// read as integers): which pixels are transparent, how a picture is greyed, which cell a key
// names.

// The transparent pixel: its colour (alpha ignored) is the mask colour.
inline bool IsMaskPixel(std::uint32_t pixel, std::uint32_t mask) {
    return (pixel & 0xFFFFFFu) == (mask & 0xFFFFFFu);
}

// Mask pixels become fully transparent (0); every other pixel keeps its value.
void MaskPixels(std::uint32_t* pixels, std::size_t count, std::uint32_t mask);

// The greyed picture: mask pixels become `fill`, every other pixel the grey
// (R + G + B) / 5 + 100. Opaque.
void GreyPixels(std::uint32_t* pixels, std::size_t count, std::uint32_t mask, std::uint32_t fill);
std::uint8_t GreyLevel(std::uint32_t pixel);

// The cell of a key: the key itself with the direct index, else its position in keys; -1 when
// there is none.
int LookupCell(int key, bool directIndex, const std::vector<int>& keys);
