#include "uilogic/ImageRules.h"

void MaskPixels(std::uint32_t* pixels, std::size_t count, std::uint32_t mask) {
    for (std::size_t i = 0; i < count; ++i) {
        if (IsMaskPixel(pixels[i], mask))
            pixels[i] = 0;
    }
}

std::uint8_t GreyLevel(std::uint32_t pixel) {
    const std::uint32_t sum = ((pixel >> 16) & 0xFFu) + ((pixel >> 8) & 0xFFu) + (pixel & 0xFFu);
    return static_cast<std::uint8_t>(sum / 5 + 100); // at most 253
}

void GreyPixels(std::uint32_t* pixels, std::size_t count, std::uint32_t mask, std::uint32_t fill) {
    for (std::size_t i = 0; i < count; ++i) {
        if (IsMaskPixel(pixels[i], mask)) {
            pixels[i] = 0xFF000000u | fill;
        } else {
            const std::uint32_t g = GreyLevel(pixels[i]);
            pixels[i] = 0xFF000000u | (g << 16) | (g << 8) | g;
        }
    }
}

int LookupCell(int key, bool directIndex, const std::vector<int>& keys) {
    if (directIndex)
        return key;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] == key)
            return static_cast<int>(i);
    }
    return -1;
}
