#include <gtest/gtest.h>

#include "Colour.h"

using namespace skingen;

TEST(Colour, ContrastOfBlackOnWhiteIsTwentyOne)
{
    EXPECT_NEAR(contrastRatio({0, 0, 0}, {255, 255, 255}), 21.0, 0.01);
    EXPECT_NEAR(contrastRatio({128, 128, 128}, {128, 128, 128}), 1.0, 1e-9);
}

TEST(Colour, ReadableTextReachesTheRatioOnBothEnds)
{
    const Rgb top{180, 200, 230}, bottom{140, 170, 210};
    const Rgb text = readableOn({200, 200, 200}, top, bottom, 4.5);
    EXPECT_GE(contrastRatio(text, top), 4.5);
    EXPECT_GE(contrastRatio(text, bottom), 4.5);
}

TEST(Colour, ReadableTextKeepsAColourThatAlreadyPasses)
{
    const Rgb text{10, 20, 30};
    EXPECT_EQ(readableOn(text, {250, 250, 250}), text);
}

TEST(Colour, ColourValueHasRedInTheLowestByte)
{
    EXPECT_EQ(toColorValue({0x12, 0x34, 0x56}), 0x563412u);
}

TEST(Colour, ContentNeverTakesTheKeyColour)
{
    EXPECT_NE(avoidKey(KeyColour), KeyColour);
    EXPECT_EQ(avoidKey({1, 2, 3}), (Rgb{1, 2, 3}));
}
