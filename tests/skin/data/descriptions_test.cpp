// Control and object descriptions, the skin colours and the popup and hint window frames.
#include <gtest/gtest.h>

#include "classlib/graphics/Color.h"
#include "skin/data/Controls.h"
#include "skin/data/Objects.h"
#include "skin/data/helpers.h"

using namespace sk;
using sktest::IniOf;
using sktest::Lines;

namespace {

const char* const ControlWords[] = {"panel",   "expanel",   "menubutton",   "button",   "checkradio", "gauge",
                                    "splitter", "trackbar",  "label",        "stdlabel", "updown",     "grid",
                                    "tab",     "mainmenubar", "controlbar", "memo",     "edit",       "checklistbox",
                                    "listbox", "combobox",  "scrollbar",    "spinedit", "scrollbox",  "treeview",
                                    "bevel",   "slider",    "listview",     "richedit"};
const char* const ObjectWords[] = {"menuitem", "mainmenubaritem", "stdbutton", "mainmenubarbutton",
                                   "button",   "caption",         "animate",   "userobject"};

TEST(ControlDescriptions, AButtonWithOnlyASkinRectTakesEveryDefault)
{
    auto ini = IniOf(Lines({"[b]", "skinrect=1,2,30,40"}));
    auto d = CreateSkinControlDescription("button", "b");
    ASSERT_NE(d, nullptr);
    d->LoadFromFile(*ini);
    auto* button = dynamic_cast<TskDataSkinButtonControl*>(d.get());
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->SkinRect, (TRect{1, 2, 30, 40}));
    EXPECT_EQ(button->AnimateInterval, 25);
    EXPECT_EQ(button->FontName, "Arial");
    EXPECT_EQ(button->FontHeight, 14);
    EXPECT_EQ(button->PictureIndex, -1);
    EXPECT_EQ(button->MaskPictureIndex, -1);
    EXPECT_EQ(button->FontColor, 0);
    EXPECT_EQ(button->FrameCount, 0);
    EXPECT_FALSE(button->Morphing);
    EXPECT_FALSE(button->ShowFocus);
    EXPECT_EQ(button->MorphKind, mkDefault);
    EXPECT_EQ(button->ActiveSkinRect, TRect{});
    EXPECT_EQ(button->LTPoint, TPoint{});
}

TEST(ControlDescriptions, OwnDefaultsOfListBoxesLabelsAndTabs)
{
    auto ini = IniOf(Lines({"[clb]", "itemrect=1,1,5,5", "captionfontheight=9", "itemcheckrect=2,2,3,3",
                            "vscrollbarname=myv", "[tab]", "lefttoppoint=3,4", "clientrect=1,2,3,4"}));
    auto list = CreateSkinControlDescription("checklistbox", "clb");
    list->LoadFromFile(*ini);
    auto* clb = dynamic_cast<TskDataSkinCheckListBox*>(list.get());
    ASSERT_NE(clb, nullptr);
    // The check-list box reads every list-box key as well as its own.
    EXPECT_EQ(clb->ItemRect, (TRect{1, 1, 5, 5}));
    EXPECT_EQ(clb->CaptionFontHeight, 9);
    EXPECT_EQ(clb->ItemCheckRect, (TRect{2, 2, 3, 3}));
    EXPECT_EQ(clb->VScrollBarName, "myv");
    EXPECT_EQ(clb->HScrollBarName, "hscrollbar");
    EXPECT_EQ(clb->BothHScrollBarName, "bothhscrollbar");

    auto label = CreateSkinControlDescription("stdlabel", "none");
    label->LoadFromFile(*ini);
    EXPECT_EQ(dynamic_cast<TskDataSkinStdLabelControl&>(*label).ActiveFontColor, 16711680);

    auto tab = CreateSkinControlDescription("tab", "tab");
    tab->LoadFromFile(*ini);
    auto& t = dynamic_cast<TskDataSkinTabControl&>(*tab);
    EXPECT_EQ(t.LTPoint, (TPoint{3, 4}));
    EXPECT_EQ(t.ClRect, (TRect{1, 2, 3, 4}));
    EXPECT_EQ(t.BGPictureIndex, -1);
}

TEST(ControlDescriptions, TypeWordsMatchExactly)
{
    EXPECT_EQ(CreateSkinControlDescription("Button", "x"), nullptr);
    EXPECT_EQ(CreateSkinControlDescription("", "x"), nullptr);
    EXPECT_EQ(CreateSkinControlDescription("toolbutton", "x"), nullptr);
    for (const char* word : ControlWords)
        EXPECT_NE(CreateSkinControlDescription(word, "x"), nullptr) << word;
}

// Gives every key written with its default a different, non-default value of the same kind,
// judged by the default's text.
std::string OtherValue(const std::string& value)
{
    int commas = 0;
    for (char c : value)
        commas += c == ',';
    if (value == "tacenter")
        return "taleftjustify";
    if (value == "mkdefault")
        return "mkpush";
    if (value == "cmdefault")
        return "cmrollup";
    if (value.empty())
        return "fsbold";
    if (commas == 3 && value.find_first_not_of("0123456789,") == std::string::npos)
        return "1,2,3,4";
    if (commas == 1 && value.find_first_not_of("0123456789,") == std::string::npos)
        return "5,6";
    if (value.find_first_not_of("-0123456789") == std::string::npos)
        return "1";
    return "x" + value;
}

// Writing a description with every value changed and reading it back gives the same text: a key
// that the reader spells differently from the writer comes back as its default.
template <class T, class Make>
void CheckRoundTrip(const char* word, Make make)
{
    SCOPED_TRACE(word);
    auto defaults = IniOf("");
    auto first = make(word, "d");
    ASSERT_NE(first, nullptr);
    first->SaveToFile(*defaults);
    cl::TStringList keys;
    defaults->ReadSection("d", &keys);
    ASSERT_GT(keys.Count(), 0);
    auto changed = IniOf("");
    for (int i = 0; i < keys.Count(); ++i)
        changed->WriteString("d", keys[i], OtherValue(defaults->ReadString("d", keys[i], "")));

    auto second = make(word, "d");
    second->LoadFromFile(*changed);
    auto written = IniOf("");
    second->SaveToFile(*written);
    cl::TStringList writtenKeys;
    written->ReadSection("d", &writtenKeys);
    ASSERT_EQ(writtenKeys.Count(), keys.Count());
    for (int i = 0; i < keys.Count(); ++i) {
        SCOPED_TRACE(keys[i]);
        std::string expected = changed->ReadString("d", keys[i], "");
        // An animation never morphs.
        if (std::string(word) == "animate" && keys[i] == "morphing")
            expected = "0";
        EXPECT_EQ(written->ReadString("d", keys[i], "?"), expected);
    }
}

TEST(ControlDescriptions, EveryClassReadsBackWhatItWrites)
{
    for (const char* word : ControlWords)
        CheckRoundTrip<TskDataSkinControl>(word, &CreateSkinControlDescription);
}

TEST(ObjectDescriptions, EveryClassReadsBackWhatItWrites)
{
    for (const char* word : ObjectWords)
        CheckRoundTrip<TskDataSkinObject>(word, &CreateSkinObjectDescription);
}

TEST(ObjectDescriptions, DefaultsAndTheirExceptions)
{
    auto ini = IniOf(Lines({"[close]", "command=cmminimizetotray", "[odd]", "command=cmclsoe", "[anim]",
                            "morphing=1", "morphkind=mkpush", "[user]", "activepictureindex=3", "hint=h",
                            "skinrect=1,2,3,4"}));
    auto close = CreateSkinObjectDescription("stdbutton", "close");
    close->LoadFromFile(*ini);
    EXPECT_EQ(close->ActivePictureIndex, -1);
    EXPECT_EQ(dynamic_cast<TskDataSkinStdButton&>(*close).Command, cmMinimizeToTray);
    auto odd = CreateSkinObjectDescription("stdbutton", "odd");
    odd->LoadFromFile(*ini);
    EXPECT_EQ(dynamic_cast<TskDataSkinStdButton&>(*odd).Command, cmMinimizeToTray);
    auto missing = CreateSkinObjectDescription("animate", "nothing");
    missing->LoadFromFile(*ini);
    EXPECT_EQ(dynamic_cast<TskDataSkinAnimate&>(*missing).Command, cmDefault);
    EXPECT_EQ(dynamic_cast<TskDataSkinAnimate&>(*missing).CountFrames, 1);
    EXPECT_EQ(dynamic_cast<TskDataSkinAnimate&>(*missing).TimerInterval, 50);

    auto anim = CreateSkinObjectDescription("animate", "anim");
    anim->LoadFromFile(*ini);
    EXPECT_FALSE(anim->Morphing);
    EXPECT_EQ(anim->MorphKind, mkPush);

    // A user object knows nothing but its skin rectangle.
    auto user = CreateSkinObjectDescription("userobject", "user");
    user->LoadFromFile(*ini);
    EXPECT_EQ(user->SkinRect, (TRect{1, 2, 3, 4}));
    EXPECT_EQ(user->ActivePictureIndex, -1);
    EXPECT_EQ(user->Hint, "");

    auto item = CreateSkinObjectDescription("mainmenubaritem", "m");
    EXPECT_NE(dynamic_cast<TskDataSkinMainMenuItem*>(item.get()), nullptr);
    auto barButton = CreateSkinObjectDescription("mainmenubarbutton", "m");
    EXPECT_NE(dynamic_cast<TskDataSkinStdButton*>(barButton.get()), nullptr);
    EXPECT_EQ(CreateSkinObjectDescription("MenuItem", "m"), nullptr);
}

TEST(WindowDescriptions, HintFontHeightIsTwelveWhenNewAndFourteenWhenRead)
{
    TskDataSkinHintWindow hint;
    EXPECT_EQ(hint.FontHeight, 12);
    auto ini = IniOf(Lines({"[HINTWINDOW]", "clientrect=1,2,3,4"}));
    hint.LoadFromFile(*ini);
    EXPECT_EQ(hint.FontHeight, 14);
    EXPECT_EQ(hint.FontName, "Arial");
    EXPECT_EQ(hint.WindowPictureIndex, -1);
    EXPECT_EQ(hint.ClRect, (TRect{1, 2, 3, 4}));

    TskDataSkinPopupWindow popup;
    auto popupIni = IniOf(Lines({"[popupwindow]", "WindowPictureIndex=1", "itemsrect=4,4,60,44", "topstretch=1"}));
    popup.LoadFromFile(*popupIni);
    EXPECT_EQ(popup.WindowPictureIndex, 1);
    EXPECT_EQ(popup.MaskPictureIndex, -1);
    EXPECT_EQ(popup.ItemsRect, (TRect{4, 4, 60, 44}));
    EXPECT_TRUE(popup.TopStretch);
}

TEST(WindowDescriptions, SkinColoursDefaultToTheSystemColours)
{
    TskSkinColors colors;
    EXPECT_EQ(colors.cBtnFace, cl::clBtnFace);
    EXPECT_EQ(colors.cHighLightText, cl::clHighlightText);
    auto ini = IniOf(Lines({"[SKINCOLORS]", "cbtnface=255", "cwindow=$00FF00"}));
    colors.LoadFromFile(*ini);
    EXPECT_EQ(colors.cBtnFace, 255);
    EXPECT_EQ(colors.cWindow, 0xFF00);
    EXPECT_EQ(colors.cBtnShadow, cl::clBtnShadow);
    colors.SetDefaults();
    EXPECT_EQ(colors.cBtnFace, cl::clBtnFace);
}

}  // namespace
