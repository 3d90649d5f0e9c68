// The image list's transparent colour, greyed pictures and keys, and the skin's colours.
#include "uilogic/ImageRules.h"
#include "uilogic/SkinColors.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr std::uint32_t kMagenta = 0xFFFF00FFu;

TEST(ImageRules, OnlyTheMaskColourBecomesTransparentWhateverItsAlpha) {
    std::vector<std::uint32_t> pixels = {0xFFFF00FFu, 0x00FF00FFu, 0xFFFE00FFu, 0xFF102030u};
    MaskPixels(pixels.data(), pixels.size(), kMagenta);
    EXPECT_EQ(pixels, (std::vector<std::uint32_t>{0, 0, 0xFFFE00FFu, 0xFF102030u}));
}

TEST(ImageRules, GreyedPicturesAreOpaqueWithTheBackgroundFilledIn) {
    std::vector<std::uint32_t> pixels = {kMagenta, 0xFF000000u, 0xFFFFFFFFu, 0xFF0A141Eu};
    const std::uint32_t fill = SkinColour(Skin::ButtonFace).Packed();
    GreyPixels(pixels.data(), pixels.size(), kMagenta, fill);
    // (R + G + B) / 5 + 100: black 100, white 253, (10 + 20 + 30) / 5 + 100 = 112.
    EXPECT_EQ(pixels,
              (std::vector<std::uint32_t>{0xFFE2ECFDu, 0xFF646464u, 0xFFFDFDFDu, 0xFF707070u}));
}

TEST(ImageRules, KeysNameCellsByPositionOrDirectly) {
    const std::vector<int> keys = {130, 131, 135};
    EXPECT_EQ(LookupCell(131, false, keys), 1);
    EXPECT_EQ(LookupCell(132, false, keys), -1);
    EXPECT_EQ(LookupCell(4, true, keys), 4);
    EXPECT_EQ(LookupCell(4, false, {}), -1);
}

TEST(SkinColors, TheMaskIsMagentaAndEveryRoleHasItsColour) {
    EXPECT_EQ(SkinColour(Skin::Transparent).Packed(), 0xFF00FFu);
    EXPECT_EQ(SkinColour(Skin::ButtonFrame), (SkinRgb{49, 106, 197}));
    EXPECT_EQ(SkinColour(Skin::DialogBackground), (SkinRgb{207, 217, 226}));
    EXPECT_EQ(SkinColour(Skin::FocusLine), (SkinRgb{0, 100, 16}));
}

} // namespace
