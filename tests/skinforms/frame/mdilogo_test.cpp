// The logo picture of an MDI form's client area: centred over the skin's or the workspace's
// background, its corner kept in view when it is larger than the client, nothing when it is
// missing, and left out over the skin's own MDI background picture.
#include "skinforms/frame/mdi_support.h"

namespace {

using namespace mditest;

constexpr TColor LogoColor = 0x0000FF;
constexpr TColor LogoCorner = 0x00FF00;

// A logo W by H of one colour with a 4 by 4 block of another at its top-left corner.
std::unique_ptr<TBitmap> MakeLogo(int W, int H)
{
    auto b = std::make_unique<TBitmap>();
    b->SetSize(W, H);
    b->Fill(LogoColor);
    b->Canvas()->Brush()->SetColor(LogoCorner);
    b->Canvas()->FillRect(cl::Rect(0, 0, 4, 4));
    return b;
}

struct TLogoScene : TMdiScene {
    // What the MDI client paints as its background, into memory.
    std::unique_ptr<TBitmap> Background()
    {
        const RECT c = ClientRect();
        auto b = std::make_unique<TBitmap>();
        b->SetSize(c.right, c.bottom);
        b->Fill(0xFF00FF);
        SendMessageA(Client(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(b->Canvas()->Handle()), 0);
        GdiFlush();
        return b;
    }
};

TEST(MDILogo, TheLogoStandsCentredOnTheWorkspaceAndAMissingOneDrawsNothing)
{
    TLogoScene scene;
    auto logo = MakeLogo(40, 30);
    scene.frame->SetLogoBitMap(logo.get());
    scene.Show();
    const RECT c = scene.ClientRect();
    const int left = c.right / 2 - 20;
    const int top = c.bottom / 2 - 15;
    auto b = scene.Background();
    EXPECT_EQ(b->Canvas()->Pixels(left, top), LogoCorner);
    EXPECT_EQ(b->Canvas()->Pixels(left + 39, top + 29), LogoColor);
    EXPECT_EQ(b->Canvas()->Pixels(left - 1, top), ColorToRGB(clAppWorkSpace));
    EXPECT_EQ(b->Canvas()->Pixels(left + 40, top + 29), ColorToRGB(clAppWorkSpace));
    EXPECT_EQ(b->Canvas()->Pixels(2, 2), ColorToRGB(clAppWorkSpace));
    // With the transparent setting the logo's bottom-left colour lets the background through.
    scene.frame->LogoBitMapTransparent = true;
    b = scene.Background();
    EXPECT_EQ(b->Canvas()->Pixels(left + 20, top + 15), ColorToRGB(clAppWorkSpace));
    EXPECT_EQ(b->Canvas()->Pixels(left, top), LogoCorner);
    scene.frame->LogoBitMapTransparent = false;
    // An empty logo: the workspace alone.
    TBitmap none;
    scene.frame->SetLogoBitMap(&none);
    b = scene.Background();
    EXPECT_EQ(b->Canvas()->Pixels(c.right / 2, c.bottom / 2), ColorToRGB(clAppWorkSpace));
}

TEST(MDILogo, ALogoLargerThanTheClientKeepsItsTopLeftCornerInView)
{
    TLogoScene scene;
    auto logo = MakeLogo(3000, 2500);
    scene.frame->SetLogoBitMap(logo.get());
    scene.Show();
    const RECT c = scene.ClientRect();
    auto b = scene.Background();
    EXPECT_EQ(b->Canvas()->Pixels(0, 0), LogoCorner);
    EXPECT_EQ(b->Canvas()->Pixels(5, 5), LogoColor);
    EXPECT_EQ(b->Canvas()->Pixels(c.right - 1, c.bottom - 1), LogoColor);
    // Wider only: centred from top to bottom, kept at the left edge.
    auto wide = MakeLogo(3000, 20);
    scene.frame->SetLogoBitMap(wide.get());
    b = scene.Background();
    EXPECT_EQ(b->Canvas()->Pixels(0, c.bottom / 2 - 10), LogoCorner);
    EXPECT_EQ(b->Canvas()->Pixels(0, c.bottom / 2 - 11), ColorToRGB(clAppWorkSpace));
}

TEST(MDILogo, OnASkinTheLogoStandsOnTheFormsBackgroundButNotOnTheSkinsOwnMDIPicture)
{
    TLogoScene scene;
    frametest::TFrameSkin skin;
    auto logo = MakeLogo(40, 30);
    scene.frame->SetLogoBitMap(logo.get());
    scene.frame->SetSkinData(skin.Data);
    scene.Show();
    const RECT c = scene.ClientRect();
    auto b = scene.Background();
    // The skin's client part tiled, the logo over it.
    EXPECT_EQ(b->Canvas()->Pixels(2, 2), frametest::ClientColor);
    EXPECT_EQ(b->Canvas()->Pixels(c.right / 2 - 20, c.bottom / 2 - 15), LogoCorner);
    // The skin's own picture for MDI clients: tiled alone.
    TBitmap* mdi = skin.Data->ActivePictures.Items(0);
    mdi->SetSize(8, 8);
    mdi->Fill(0x123456);
    skin.Data->MDIBGPictureIndex = 0;
    b = scene.Background();
    EXPECT_EQ(b->Canvas()->Pixels(2, 2), TColor(0x123456));
    EXPECT_EQ(b->Canvas()->Pixels(c.right / 2 - 20, c.bottom / 2 - 15), TColor(0x123456));
    scene.frame->SetSkinData(nullptr);
}

}  // namespace
