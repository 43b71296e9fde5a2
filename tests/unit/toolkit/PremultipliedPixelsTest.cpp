#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "ui/toolkit/PremultipliedPixels.h"

namespace {

uint32_t Channel(uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }

} // namespace

TEST(ScaleBilinear, SameSizeKeepsEveryPixelAndFlatColourStaysFlat)
{
    std::vector<uint32_t> picture(7 * 3);
    for (size_t i = 0; i < picture.size(); ++i)
        picture[i] = 0xFF000000u | static_cast<uint32_t>(i * 0x0A0B0C);
    EXPECT_EQ(ScaleBilinear(picture, 7, 3, 7, 3), picture);

    // A flat half-transparent colour squeezed and stretched (the repair
    // face 284 x 85 into 259 x 85, and at 120 dpi into 310 x 102) gives that
    // colour everywhere: the edges continue instead of fading out.
    const std::vector<uint32_t> flat(284 * 85, 0x80402010u);
    for (const auto& size : {std::pair<int, int>(259, 85), std::pair<int, int>(310, 102)}) {
        const std::vector<uint32_t> scaled = ScaleBilinear(flat, 284, 85, size.first, size.second);
        ASSERT_EQ(scaled.size(), static_cast<size_t>(size.first) * size.second);
        EXPECT_EQ(std::count(scaled.begin(), scaled.end(), 0x80402010u), static_cast<long>(scaled.size()));
    }
}

TEST(ScaleBilinear, HalvingAveragesNeighboursAndBadSizesGiveNothing)
{
    // Two columns of 0 and 200 halved: the one pixel lies between them.
    const std::vector<uint32_t> pair = {0xFF000000u, 0xFFC8C8C8u};
    const std::vector<uint32_t> one = ScaleBilinear(pair, 2, 1, 1, 1);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(Channel(one[0], 24), 0xFFu);
    for (int shift : {0, 8, 16})
        EXPECT_EQ(Channel(one[0], shift), 100u);

    // Doubled, the outer pixels are the picture's own, the inner ones mixed.
    const std::vector<uint32_t> four = ScaleBilinear(pair, 2, 1, 4, 1);
    ASSERT_EQ(four.size(), 4u);
    EXPECT_EQ(four[0], pair[0]);
    EXPECT_EQ(four[3], pair[1]);
    EXPECT_EQ(Channel(four[1], 0), 50u);
    EXPECT_EQ(Channel(four[2], 0), 150u);

    EXPECT_TRUE(ScaleBilinear(pair, 2, 1, 0, 1).empty());
    EXPECT_TRUE(ScaleBilinear(pair, 0, 1, 2, 1).empty());
    EXPECT_TRUE(ScaleBilinear(pair, 2, 2, 2, 2).empty()) << "fewer pixels than the size says";
}

TEST(BlendOver, AlphaDecidesHowMuchOfTheBackgroundShows)
{
    const uint32_t background = 0xFF6496C8u; // r 100, g 150, b 200
    std::vector<uint32_t> dest(4, background);
    const std::vector<uint32_t> source = {
        0xFF0A141Eu, // opaque: replaces
        0x00000000u, // transparent: leaves
        0x80000000u, // half black: darkens by half
        0x80808080u, // half white, premultiplied: half way to white
    };
    BlendOver(source.data(), dest.data(), dest.size());
    EXPECT_EQ(dest[0], source[0]);
    EXPECT_EQ(dest[1], background);
    EXPECT_EQ(Channel(dest[2], 24), 0xFFu);
    EXPECT_NEAR(static_cast<int>(Channel(dest[2], 16)), 50, 1);
    EXPECT_NEAR(static_cast<int>(Channel(dest[2], 0)), 100, 1);
    EXPECT_NEAR(static_cast<int>(Channel(dest[3], 16)), 128 + 50, 1);
    EXPECT_NEAR(static_cast<int>(Channel(dest[3], 0)), 128 + 100, 1);
    EXPECT_EQ(Channel(dest[3], 24), 0xFFu);
}
