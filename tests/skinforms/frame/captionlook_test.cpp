// The caption object of a framed form draws with what its description says: every field of the
// look and the animation strip, none left at its default.
#include "skinforms/frame/support.h"

using namespace cl;
using namespace sk;
using namespace frametest;

TEST(FrameCaptionLook, TheCaptionObjectTakesEveryFieldOfItsDescriptionsLook)
{
    TFrameSkin skin;
    auto d = std::make_unique<TskDataSkinCaption>("caption");
    d->SkinRect = Rect(5, 5, 95, 18);
    d->ActivePictureIndex = 0;
    d->TextRect = Rect(2, 1, 88, 12);
    d->FontName = "Tahoma";
    d->FontHeight = 17;
    d->FontStyle = TFontStyles{fsBold, fsItalic};
    d->FontColor = 0x102030;
    d->ActiveFontColor = 0x405060;
    d->Alignment = taRightJustify;
    d->Light = true;
    d->LightColor = 0x708090;
    d->ActiveLightColor = 0xA0B0C0;
    d->Shadow = true;
    d->ShadowColor = 0x010203;
    d->ActiveShadowColor = 0x040506;
    d->FrameRect = Rect(1, 2, 30, 12);
    d->ActiveFrameRect = Rect(3, 4, 33, 14);
    d->FrameTextRect = Rect(5, 1, 25, 11);
    d->FrameLeftOffset = 6;
    d->FrameRightOffset = 7;
    d->StretchEffect = true;
    d->FullFrame = true;
    d->AnimateSkinRect = Rect(0, 20, 40, 33);
    d->FrameCount = 4;
    d->AnimateInterval = 40;
    d->InactiveAnimation = true;
    const TskCaptionLook look = *d;
    const TskDataSkinCaption& description = *d;
    skin.Data->ObjectList.Add(std::move(d));

    TFramedForm form(skin.Data, 300, 200);
    TskSkinCaptionObject* caption = form.Frame->CaptionObject();
    ASSERT_NE(caption, nullptr);
    EXPECT_TRUE(static_cast<const TskCaptionLook&>(*caption) == look);
    EXPECT_EQ(caption->FontName, "Tahoma");
    EXPECT_EQ(caption->FrameRightOffset, 7);
    EXPECT_EQ(caption->AnimateSkinRect, description.AnimateSkinRect);
    EXPECT_EQ(caption->FrameCount, 4);
    EXPECT_EQ(caption->AnimateInterval, 40);
    EXPECT_TRUE(caption->InactiveAnimation);
}
