// Every skin of the catalogue keeps the skin rules, and the rules catch what they are for.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include <unistd.h>

#include "AtlasLayout.h"
#include "SkinBundle.h"
#include "SkinChecks.h"

using namespace skingen;

namespace {

std::string joined(const std::vector<std::string>& lines)
{
    std::string out;
    for (const auto& l : lines) out += l + "\n";
    return out;
}

const SkinBundle& firstSkin()
{
    static const SkinBundle skin = drawSkin(skinCatalog().front());
    return skin;
}

}  // namespace

TEST(SkinCatalog, HoldsTheProgramsSkinsInOrder)
{
    const auto& skins = skinCatalog();
    ASSERT_EQ(skins.size(), 35u);
    EXPECT_EQ(skins[0].name, "XSystem");
    EXPECT_EQ(skins[12].name, "Progressive Green");
    EXPECT_EQ(skins[33].name, "Sirius");
    EXPECT_EQ(skins[34].name, "Top Level");
    std::set<std::string> stems;
    for (const auto& p : skins) EXPECT_TRUE(stems.insert(p.fileStem()).second) << p.name;
}

TEST(SkinCatalog, EverySkinKeepsEveryRule)
{
    for (const auto& p : skinCatalog()) {
        const SkinBundle skin = drawSkin(p);
        const auto problems = checkSkin(skin);
        EXPECT_TRUE(problems.empty()) << p.name << ":\n" << joined(problems);
    }
}

TEST(SkinCatalog, DrawingIsTheSameOnEveryRun)
{
    const SkinBundle a = drawSkin(skinCatalog()[7]), b = drawSkin(skinCatalog()[7]);
    EXPECT_EQ(a.text.text(), b.text.text());
    for (int y = 0; y < a.atlas.height(); ++y)
        for (int x = 0; x < a.atlas.width(); ++x) ASSERT_EQ(a.atlas.at(x, y), b.atlas.at(x, y));
}

TEST(SkinCatalog, SkinsDifferAtAGlance)
{
    // The caption colour and the panel colour together tell every pair of skins apart.
    const auto& skins = skinCatalog();
    for (std::size_t i = 0; i < skins.size(); ++i)
        for (std::size_t j = i + 1; j < skins.size(); ++j) {
            const Palette a = makePalette(skins[i]), b = makePalette(skins[j]);
            auto distance = [](Rgb x, Rgb y) { return std::abs(x.r - y.r) + std::abs(x.g - y.g) + std::abs(x.b - y.b); };
            const int d = distance(a.caption.bottom, b.caption.bottom) + distance(a.panel, b.panel) +
                          distance(a.accent, b.accent);
            EXPECT_GT(d, 40) << skins[i].name << " and " << skins[j].name << " look alike";
        }
}

TEST(AtlasLayout, CellsNeverOverlapAndStayInThePicture)
{
    std::vector<Rect> cells(atlas::Button.begin(), atlas::Button.end());
    auto add = [&](std::initializer_list<Rect> more) { cells.insert(cells.end(), more); };
    for (const auto* row : {&atlas::ToolButton, &atlas::ResizeButton, &atlas::Tab})
        cells.insert(cells.end(), row->begin(), row->end());
    for (int k = 0; k < atlas::CaptionKinds; ++k)
        add({atlas::captionNormal(k), atlas::captionDown(k), atlas::captionHot(k), atlas::captionInactive(k)});
    for (int i = 0; i < 6; ++i) add({atlas::checkMark(i), atlas::radioMark(i)});
    for (int s = 0; s < 3; ++s)
        add({atlas::panelClose(s), atlas::vRoll(s), atlas::vRestore(s), atlas::hRoll(s), atlas::hRestore(s)});
    add({atlas::TabBackground, atlas::MenuItem, atlas::MenuItemActive, atlas::MenuDivider, atlas::HTrackBar,
         atlas::HThumb, atlas::HThumbActive, atlas::VTrackBar, atlas::VThumb, atlas::VThumbActive, atlas::Edit,
         atlas::EditActive, atlas::Combo, atlas::ComboActive, atlas::ComboButtonHot, atlas::ComboButtonDown,
         atlas::ComboButtonDisabled, atlas::UpDown, atlas::UpDownDownHot, atlas::UpDownDownPressed,
         atlas::UpDownUpHot, atlas::UpDownUpPressed, atlas::HScroll, atlas::HScrollBoth, atlas::HArrowNearHot,
         atlas::HArrowNearDown, atlas::HArrowFarHot, atlas::HArrowFarDown, atlas::HGrip, atlas::VScroll,
         atlas::VArrowNearHot, atlas::VArrowNearDown, atlas::VArrowFarHot, atlas::VArrowFarDown, atlas::VGrip,
         atlas::Panel, atlas::ExPanel, atlas::ListBox, atlas::ToolPanel, atlas::StatusBar, atlas::SizeGrip,
         atlas::RollV, atlas::RollH, atlas::CheckBox, atlas::CheckBoxActive, atlas::RadioBox,
         atlas::RadioBoxActive, atlas::TabSheet, atlas::ButtonAnimation, atlas::ToolButtonAnimation,
         atlas::ResizeButtonAnimation});
    for (const auto* row : {&atlas::HThumbs, &atlas::VThumbs}) cells.insert(cells.end(), row->begin(), row->end());
    cells.insert(cells.end(), atlas::ListItem.begin(), atlas::ListItem.end());
    const Rect picture{0, 0, atlas::Width, atlas::Height};
    for (std::size_t i = 0; i < cells.size(); ++i) {
        EXPECT_TRUE(cells[i].inside(picture)) << i;
        for (std::size_t j = i + 1; j < cells.size(); ++j) EXPECT_FALSE(cells[i].overlaps(cells[j])) << i << " " << j;
    }
}

TEST(SkinChecks, FindKeyColourOutsideTheKeyedCells)
{
    SkinBundle skin = firstSkin();
    ASSERT_TRUE(checkKeyColour(skin).empty());
    skin.atlas.set(atlas::Button[0].left + 10, atlas::Button[0].top + 10, KeyColour);
    EXPECT_FALSE(checkKeyColour(skin).empty());
    SkinBundle framed = firstSkin();
    framed.frame.set(100, 60, KeyColour);
    EXPECT_FALSE(checkKeyColour(framed).empty());
}

TEST(SkinChecks, FindASeamInATiledEdge)
{
    SkinBundle skin = firstSkin();
    ASSERT_TRUE(checkTiledStrips(skin).empty());
    skin.frame.set(skin.layout.leftTop.x + 30, 3, Rgb{1, 2, 3});
    EXPECT_FALSE(checkTiledStrips(skin).empty());
    SkinBundle bar = firstSkin();
    bar.atlas.set(atlas::HScroll.left + 50, atlas::HScroll.top + 9, Rgb{1, 2, 3});
    EXPECT_NE(joined(checkTiledStrips(bar)).find("the scroll bar changes"), std::string::npos);
    // A panel's left edge is tiled downwards as the panel grows.
    SkinBundle panel = firstSkin();
    panel.atlas.set(atlas::Panel.left + 1, atlas::Panel.top + 40, Rgb{1, 2, 3});
    const auto problems = checkTiledStrips(panel);
    ASSERT_FALSE(problems.empty());
    EXPECT_NE(joined(problems).find("[panel] left edge"), std::string::npos);
}

TEST(SkinChecks, FindAStateImageOfTheWrongSize)
{
    SkinBundle skin = firstSkin();
    ASSERT_TRUE(checkRectangles(skin).empty());
    IniText broken;
    broken.section("button");
    broken.key("pictureindex", 0);
    broken.key("skinrect", atlas::Button[0]);
    broken.key("activeskinrect", Rect{64, 0, 120, 25});
    skin.text = broken;
    EXPECT_FALSE(checkRectangles(skin).empty());
}

TEST(SkinChecks, FindARectangleOutsideThePicture)
{
    SkinBundle skin = firstSkin();
    IniText broken;
    broken.section("edit");
    broken.key("skinrect", Rect{200, 510, 264, 530});
    skin.text = broken;
    EXPECT_FALSE(checkRectangles(skin).empty());
}

TEST(SkinChecks, FindAMissingControl)
{
    SkinBundle skin = firstSkin();
    ASSERT_TRUE(checkDescribedNames(skin).empty());
    IniText partial;
    partial.section("SKINCONTROLS");
    partial.key("count", 1);
    partial.key("0", "button:button");
    partial.section("button");
    partial.key("skinrect", atlas::Button[0]);
    skin.text = partial;
    const auto problems = checkDescribedNames(skin);
    EXPECT_FALSE(problems.empty());
    EXPECT_NE(joined(problems).find("hscrollbar:scrollbar"), std::string::npos);
}

TEST(SkinChecks, FindTextThatDoesNotStandOutFromThePixelsBehindIt)
{
    SkinBundle skin = firstSkin();
    ASSERT_TRUE(checkTextContrast(skin).empty()) << joined(checkTextContrast(skin));
    // A button face whose middle turns the colour of its text.
    const std::string* colour = skin.text.find("button", "fontcolor");
    ASSERT_NE(colour, nullptr);
    const unsigned long v = std::stoul(*colour);
    const Rgb text{static_cast<std::uint8_t>(v & 0xFF), static_cast<std::uint8_t>((v >> 8) & 0xFF),
                   static_cast<std::uint8_t>(v >> 16)};
    skin.atlas.set(atlas::Button[0].left + 32, atlas::Button[0].top + 12, text);
    EXPECT_FALSE(checkTextContrast(skin).empty());
    // A caption band behind the caption text.
    SkinBundle captioned = firstSkin();
    const Rect& caption = captioned.layout.captionRect;
    captioned.frame.fill(caption, captioned.palette.captionText);
    EXPECT_FALSE(checkTextContrast(captioned).empty());
}

TEST(SkinChecks, FindACaptionThatTheInactiveEffectWashesOut)
{
    // "BlueLight" dims its own frame when inactive; brightened, no text colour reads on it.
    SkinParams p = skinCatalog()[30];
    ASSERT_FALSE(p.drawnInactive);
    ASSERT_TRUE(checkTextContrast(drawSkin(p)).empty());
    p.inactiveEffect = 0;
    const auto problems = checkSkin(drawSkin(p));
    ASSERT_EQ(problems.size(), 1u) << joined(problems);
    EXPECT_NE(problems[0].find("[caption] fontcolor"), std::string::npos);
}

TEST(SkinFolder, HoldsTheDescriptionAndEveryPictureItNames)
{
    // A folder of this process alone: several test runs may share the machine.
    const auto folder = std::filesystem::temp_directory_path() / ("skingen-folder-test-" + std::to_string(getpid()));
    std::filesystem::remove_all(folder);
    const SkinBundle& skin = firstSkin();
    const auto ini = writeSkinFolder(skin, folder);
    EXPECT_EQ(ini.filename(), "XSystem.ini");
    for (const char* key : {"picture", "inactivepicture", "mask", "0", "1", "2", "3"}) {
        const std::string* name = skin.text.find("PICTURES", key);
        ASSERT_NE(name, nullptr) << key;
        if (!name->empty()) EXPECT_TRUE(std::filesystem::exists(folder / *name)) << *name;
    }
    std::filesystem::remove_all(folder);
}

TEST(SkinText, IsAsciiWithCrLfLineEnds)
{
    for (const auto& p : skinCatalog()) {
        const std::string text = drawSkin(p).text.text();
        for (std::size_t i = 0; i < text.size(); ++i) {
            ASSERT_LT(static_cast<unsigned char>(text[i]), 128u) << p.name;
            if (text[i] == '\n') ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << p.name;
            if (text[i] == '\r') ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << p.name;
        }
    }
}

TEST(SkinText, NamesTheSkinAndItsPicturesAndEveryEffectWord)
{
    const SkinBundle& skin = firstSkin();
    EXPECT_EQ(*skin.text.find("VERSION", "skinname"), "XSystem");
    EXPECT_EQ(*skin.text.find("PICTURES", "activepicturescount"), "4");
    const std::string* effect = skin.text.find("FORMINFO", "inactiveeffect");
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->rfind("ie", 0), 0u);
    // A skin that renders its own inactive look names no inactive picture.
    for (const auto& p : skinCatalog()) {
        const SkinBundle s = drawSkin(p);
        EXPECT_EQ(s.text.find("PICTURES", "inactivepicture")->empty(), !p.drawnInactive) << p.name;
        EXPECT_EQ(*s.text.find("FORMINFO", "autorenderinginactiveimage"), p.drawnInactive ? "0" : "1") << p.name;
    }
}
