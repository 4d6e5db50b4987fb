// The 35 stored skins as the program carries them: each loads through the skin data, describes
// everything the program's windows ask for with the expected kinds, keeps its images inside
// its pictures, uses the transparent key colour only in images drawn transparently, and the
// lot fits the size budget.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "classlib/classes/IniFiles.h"
#include "skin/data/Lists.h"
#include "skin/data/SkinData.h"
#include "skin/data/Stream.h"
#include "skin/data/stored_skins_source.h"
#include "skins/StoredSkinResources.h"
#include "skins/StoredSkins.h"

namespace {

using namespace sk;
using cl::TRect;

const char* const ExpectedOrder[] = {
    "XSystem", "BYStyle", "Effective", "DigiMix", "PowerForm Blue", "Corner", "Chrome", "Circuit", "WAX",
    "Animate", "NextGen Red", "Gel Revisited", "Progressive Green", "Media Zone", "Energy Green", "Mac X2",
    "Media Mix", "Blue Morph", "Modern", "Vista", "Futurist Orange", "Techno", "Hi Tech", "XFactor Premium",
    "VIP Zone", "Autumn", "Smart Green", "Exclusive XP", "Lagoon", "VX Premium", "BlueLight", "Color Expert",
    "SkyFi", "Sirius", "Top Level"};

constexpr cl::TColor KeyColour = 0xFF00FF;

class StoredSkins : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        sktest::ProvideStoredSkinResources();
        owner_ = new cl::TComponent(nullptr);
        skins_ = trebanix::CreateStoredSkins(owner_);
    }
    static void TearDownTestSuite()
    {
        delete owner_;
        owner_ = nullptr;
        skins_.clear();
    }

    static cl::TComponent* owner_;
    static std::vector<TskCompressedStoredSkin*> skins_;
};

cl::TComponent* StoredSkins::owner_ = nullptr;
std::vector<TskCompressedStoredSkin*> StoredSkins::skins_;

bool inside(const TRect& r, const cl::TBitmap& picture)
{
    return r.Left >= 0 && r.Top >= 0 && r.Right <= picture.Width() && r.Bottom <= picture.Height() &&
           r.Right > r.Left && r.Bottom > r.Top;
}

bool sameSize(const TRect& a, const TRect& b) { return a.Width() == b.Width() && a.Height() == b.Height(); }

template <class T>
T* control(const TskSkinData& data, const std::string& name)
{
    const int i = data.IndexOfControl(name);
    return i < 0 ? nullptr : dynamic_cast<T*>(data.CtrlList[i]);
}

template <class T>
T* object(const TskSkinData& data, const std::string& name)
{
    const int i = data.IndexOfObject(name);
    return i < 0 ? nullptr : dynamic_cast<T*>(data.ObjectList[i]);
}

const cl::TBitmap* picture(const TskSkinData& data, int index)
{
    return index >= 0 && index < data.ActivePictures.Count() ? data.ActivePictures[index] : nullptr;
}

// Checks that every named control and object exists with its kind, and its images lie in its
// picture with every state the size of the normal image. Collects the images drawn with the
// key colour transparent.
void CheckDescriptions(const TskSkinData& data, std::vector<TRect>& keyed)
{
    for (const char* name : {"button", "toolbutton", "resizebutton"}) {
        auto* b = control<TskDataSkinButtonControl>(data, name);
        ASSERT_NE(b, nullptr) << name;
        const cl::TBitmap* p = picture(data, b->PictureIndex);
        ASSERT_NE(p, nullptr) << name;
        EXPECT_TRUE(inside(b->SkinRect, *p)) << name;
        for (const TRect& state : {b->ActiveSkinRect, b->DownSkinRect, b->DisabledSkinRect}) {
            EXPECT_TRUE(inside(state, *p)) << name;
            EXPECT_TRUE(sameSize(state, b->SkinRect)) << name;
        }
        if (b->FrameCount > 0) {
            EXPECT_EQ(b->AnimateSkinRect.Width(), b->FrameCount * b->SkinRect.Width()) << name;
            EXPECT_TRUE(inside(b->AnimateSkinRect, *p)) << name;
        }
    }
    for (const char* name : {"panel", "toolpanel", "statusbar"}) {
        auto* c = control<TskDataSkinPanelControl>(data, name);
        ASSERT_NE(c, nullptr) << name;
        const cl::TBitmap* p = picture(data, c->PictureIndex);
        ASSERT_NE(p, nullptr) << name;
        EXPECT_TRUE(inside(c->SkinRect, *p)) << name;
        if (c->GripperTransparent) {
            EXPECT_EQ(c->GripperTransparentColor, KeyColour) << name;
            keyed.push_back(c->GripperRect);
        }
    }
    auto* ex = control<TskDataSkinExPanelControl>(data, "expanel");
    ASSERT_NE(ex, nullptr);
    {
        const cl::TBitmap* p = picture(data, ex->PictureIndex);
        ASSERT_NE(p, nullptr);
        for (const TRect& r : {ex->SkinRect, ex->RollHSkinRect, ex->RollVSkinRect, ex->CloseButtonRect,
                               ex->CloseButtonActiveRect, ex->CloseButtonDownRect, ex->VRollButtonRect,
                               ex->VRestoreButtonRect, ex->HRollButtonRect, ex->HRestoreButtonRect})
            EXPECT_TRUE(inside(r, *p));
        EXPECT_TRUE(sameSize(ex->CloseButtonRect, ex->CloseButtonDownRect));
    }
    for (const char* name : {"checkbox", "radiobox"}) {
        auto* c = control<TskDataSkinCheckRadioControl>(data, name);
        ASSERT_NE(c, nullptr) << name;
        const cl::TBitmap* p = picture(data, c->PictureIndex);
        ASSERT_NE(p, nullptr) << name;
        EXPECT_TRUE(inside(c->SkinRect, *p) && inside(c->ActiveSkinRect, *p)) << name;
        for (const TRect& r : {c->CheckImageRect, c->UnCheckImageRect, c->ActiveCheckImageRect,
                               c->ActiveUnCheckImageRect, c->UnEnabledCheckImageRect, c->UnEnabledUnCheckImageRect}) {
            EXPECT_TRUE(inside(r, *p)) << name;
            EXPECT_TRUE(sameSize(r, c->CheckImageArea)) << name;
            // Drawn transparently in the colour of its bottom-left pixel.
            EXPECT_EQ(p->Pixels(r.Left, r.Bottom - 1), KeyColour) << name;
            keyed.push_back(r);
        }
    }
    for (const char* name : {"htrackbar", "trackbar"}) {
        auto* t = control<TskDataSkinTrackBarControl>(data, name);
        ASSERT_NE(t, nullptr) << name;
        const cl::TBitmap* p = picture(data, t->PictureIndex);
        ASSERT_NE(p, nullptr) << name;
        EXPECT_TRUE(inside(t->SkinRect, *p) && inside(t->ButtonRect, *p) && inside(t->ActiveButtonRect, *p)) << name;
        EXPECT_EQ(t->Vertical, std::string(name) == "trackbar");
        if (t->ButtonTransparent) {
            EXPECT_EQ(t->ButtonTransparentColor, KeyColour) << name;
            keyed.push_back(t->ButtonRect);
            keyed.push_back(t->ActiveButtonRect);
        }
    }
    for (const char* name : {"hscrollbar", "vscrollbar", "bothhscrollbar"}) {
        auto* s = control<TskDataSkinScrollBarControl>(data, name);
        ASSERT_NE(s, nullptr) << name;
        const cl::TBitmap* p = picture(data, s->PictureIndex);
        ASSERT_NE(p, nullptr) << name;
        EXPECT_TRUE(inside(s->SkinRect, *p)) << name;
        for (const TRect& r : {s->ThumbRect, s->ActiveThumbRect, s->DownThumbRect}) {
            EXPECT_TRUE(inside(r, *p)) << name;
            EXPECT_TRUE(sameSize(r, s->ThumbRect)) << name;
        }
        for (const TRect& r : {s->ActiveUpButtonRect, s->DownUpButtonRect}) EXPECT_TRUE(sameSize(r, s->UpButtonRect)) << name;
        for (const TRect& r : {s->ActiveDownButtonRect, s->DownDownButtonRect}) EXPECT_TRUE(sameSize(r, s->DownButtonRect)) << name;
    }
    auto* updown = control<TskDataSkinUpDownControl>(data, "hupdown");
    ASSERT_NE(updown, nullptr);
    EXPECT_TRUE(sameSize(updown->ActiveUpButtonRect, updown->UpButtonRect));
    auto* tab = control<TskDataSkinTabControl>(data, "tab");
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->UpDown, "hupdown");
    for (const TRect& r : {tab->ActiveTabRect, tab->FocusTabRect, tab->MouseInTabRect}) EXPECT_TRUE(sameSize(r, tab->TabRect));
    auto* edit = control<TskDataSkinEditControl>(data, "edit");
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(sameSize(edit->ActiveSkinRect, edit->SkinRect));
    auto* combo = control<TskDataSkinComboBox>(data, "combobox");
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->ListBoxName, "listbox");
    EXPECT_TRUE(sameSize(combo->ActiveItemRect, combo->ItemRect));
    auto* list = control<TskDataSkinListBox>(data, "listbox");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->VScrollBarName, "vscrollbar");
    EXPECT_NE(control<TskDataSkinStdLabelControl>(data, "stdlabel"), nullptr);

    auto* caption = object<TskDataSkinCaption>(data, "caption");
    ASSERT_NE(caption, nullptr);
    EXPECT_TRUE(inside(caption->SkinRect, *data.Picture));
    for (const char* name : {"closebutton", "maxbutton", "minbutton", "rollupbutton", "traybutton", "sysmenubutton"}) {
        auto* b = object<TskDataSkinStdButton>(data, name);
        ASSERT_NE(b, nullptr) << name;
        const cl::TBitmap* p = picture(data, b->ActivePictureIndex);
        ASSERT_NE(p, nullptr) << name;
        EXPECT_TRUE(b->SkinRectInAPicture) << name;
        for (const TRect& r : {b->SkinRect, b->ActiveSkinRect, b->DownRect, b->InactiveSkinRect}) {
            EXPECT_TRUE(inside(r, *p)) << name;
            EXPECT_TRUE(sameSize(r, b->SkinRect)) << name;
        }
        if (b->RestoreRect.Width() > 0) {
            for (const TRect& r : {b->RestoreActiveRect, b->RestoreDownRect, b->RestoreInactiveRect})
                EXPECT_TRUE(sameSize(r, b->RestoreRect)) << name;
        }
    }
    EXPECT_EQ(object<TskDataSkinStdButton>(data, "closebutton")->Command, cmClose);
    EXPECT_EQ(object<TskDataSkinStdButton>(data, "traybutton")->Command, cmMinimizeToTray);
    auto* menu = object<TskDataSkinMenuItem>(data, "menuitem");
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(sameSize(menu->ActiveSkinRect, menu->SkinRect));
}

bool inAny(const std::vector<TRect>& rects, int x, int y)
{
    for (const TRect& r : rects)
        if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) return true;
    return false;
}

// The first pixel of the key colour outside the allowed rectangles, as "x,y", or "".
std::string StrayKey(const cl::TBitmap& p, const std::vector<TRect>& allowed)
{
    for (int y = 0; y < p.Height(); ++y) {
        const std::uint8_t* row = p.ScanLine(y);
        for (int x = 0; x < p.Width(); ++x)
            if (row[3 * x] == 0xFF && row[3 * x + 1] == 0 && row[3 * x + 2] == 0xFF && !inAny(allowed, x, y))
                return std::to_string(x) + "," + std::to_string(y);
    }
    return "";
}

// The description text of a stored skin as the generator wrote it: what follows the pictures
// of the inflated stream.
std::string GeneratedText(TskCompressedStoredSkin& Stored)
{
    cl::TMemoryStream stream;
    Stored.DecompressToStream(stream);
    stream.SetPosition(0);
    const auto version = ReadSkinInt32(stream, "version");
    std::int64_t budget = MaxSkinPictureBytes;
    cl::TBitmap skipped;
    for (int i = 0; i < (version == 2 ? 5 : 3); ++i)
        ReadFlaggedSkinPicture(stream, skipped, budget);
    for (int i = ReadSkinInt32(stream, "picture count"); i > 0; --i)
        ReadSkinPicture(stream, skipped, budget);
    return std::string(static_cast<const char*>(stream.Memory()) + stream.Position(),
                       static_cast<std::size_t>(stream.Size() - stream.Position()));
}

// The numbers of a colour, point or rectangle value, whichever way it is written.
std::vector<int> Numbers(const std::string& Value)
{
    std::vector<int> n;
    std::size_t from = 0;
    for (std::size_t comma; (comma = Value.find(',', from)) != std::string::npos; from = comma + 1)
        n.push_back(skStrToIntDef(Value.substr(from, comma - from), INT_MIN));
    n.push_back(skStrToIntDef(Value.substr(from), INT_MIN));
    return n;
}
std::vector<int> Numbers(TColor C) { return {static_cast<int>(C)}; }
std::vector<int> Numbers(const TPoint& P) { return {P.X, P.Y}; }
std::vector<int> Numbers(const TRect& R) { return {R.Left, R.Top, R.Right, R.Bottom}; }

// Colours, points and rectangles: the values a skin places and paints by.
bool Geometric(const std::string& Key, const std::string& Value)
{
    const bool colour = Key.size() > 5 && Key.compare(Key.size() - 5, 5, "color") == 0;
    return colour || Value.find(',') != std::string::npos;
}

// Every colour, point and rectangle the description holds is the generator's value for its
// key, or, where the generator wrote none, what a description that read nothing holds. Keys are
// found through what the description writes under each name.
void ExpectTheGeneratorsValues(cl::TMemIniFile& Generated, TskDataDescription& Read, TskDataDescription& Unread)
{
    SCOPED_TRACE("[" + Read.IDName + "]");
    cl::TMemIniFile held, defaults;
    Read.SaveToFile(held);
    Unread.SaveToFile(defaults);
    cl::TStringList keys;
    Generated.ReadSection(Read.IDName, &keys);
    for (int i = 0; i < keys.Count(); ++i) {
        const std::string value = Generated.ReadString(Read.IDName, keys[i], "");
        if (!Geometric(keys[i], value))
            continue;
        EXPECT_TRUE(held.ValueExists(Read.IDName, keys[i])) << keys[i] << " is never read";
        EXPECT_EQ(Numbers(held.ReadString(Read.IDName, keys[i], "")), Numbers(value)) << keys[i];
    }
    held.ReadSection(Read.IDName, &keys);
    for (int i = 0; i < keys.Count(); ++i) {
        const std::string value = held.ReadString(Read.IDName, keys[i], "");
        if (Geometric(keys[i], value) && !Generated.ValueExists(Read.IDName, keys[i])) {
            EXPECT_EQ(value, defaults.ReadString(Read.IDName, keys[i], "?")) << keys[i] << ", not in the skin";
        }
    }
}

// A value of the skin's own sections, read by name; the generator's text is the measure.
struct TSectionValue {
    const char* section;
    const char* key;
    std::vector<int> (*held)(const TskSkinData&);
};

}  // namespace

TEST_F(StoredSkins, AreTheProgramsThirtyFiveInTheirOrder)
{
    ASSERT_EQ(skins_.size(), static_cast<std::size_t>(trebanix::StoredSkinCount));
    ASSERT_EQ(std::size(ExpectedOrder), skins_.size());
    for (std::size_t i = 0; i < skins_.size(); ++i) {
        EXPECT_EQ(skins_[i]->Description, ExpectedOrder[i]);
        EXPECT_EQ(skins_[i]->Owner(), owner_);
        EXPECT_FALSE(skins_[i]->FileName().empty());
        EXPECT_NE(skins_[i]->CompressedFileName().find(".skn"), std::string::npos);
    }
}

TEST_F(StoredSkins, AreZlibStreamsAtBestCompressionWithinTheBudget)
{
    std::int64_t total = 0;
    for (TskCompressedStoredSkin* s : skins_) {
        const std::string bytes = s->CompressedStream().DataString();
        ASSERT_GE(bytes.size(), 2u);
        EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0x78) << s->Description;
        EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xDA) << s->Description;
        total += static_cast<std::int64_t>(bytes.size());
    }
    EXPECT_LE(total, 8 * 1024 * 1024);
}

TEST_F(StoredSkins, EachLoadsAndDescribesEverythingTheWindowsAskFor)
{
    for (TskCompressedStoredSkin* stored : skins_) {
        SCOPED_TRACE(stored->Description);
        TskSkinData data(nullptr);
        ASSERT_NO_THROW(data.LoadCompressedStoredSkin(stored));
        ASSERT_FALSE(data.Empty);
        EXPECT_EQ(data.SkinName, stored->Description);

        // The frame and its companions.
        ASSERT_FALSE(data.Picture->Empty());
        EXPECT_EQ(data.Mask->Width(), data.Picture->Width());
        EXPECT_EQ(data.Mask->Height(), data.Picture->Height());
        if (data.InactivePicture->Empty()) {
            EXPECT_TRUE(data.AutoRenderingInactiveImage);
        } else {
            EXPECT_EQ(data.InactivePicture->Width(), data.Picture->Width());
            EXPECT_EQ(data.InactivePicture->Height(), data.Picture->Height());
        }
        EXPECT_TRUE(inside(data.ClRect, *data.Picture));
        EXPECT_NE(picture(data, data.PopupWindow->WindowPictureIndex), nullptr);
        EXPECT_NE(picture(data, data.HintWindow->WindowPictureIndex), nullptr);
        EXPECT_NE(picture(data, data.BGPictureIndex), nullptr);

        std::vector<TRect> keyed;
        CheckDescriptions(data, keyed);
        EXPECT_EQ(StrayKey(*data.ActivePictures[0], keyed), "");
        for (int i = 1; i < data.ActivePictures.Count(); ++i) EXPECT_EQ(StrayKey(*data.ActivePictures[i], {}), "") << i;
        EXPECT_EQ(StrayKey(*data.Picture, {}), "");
        if (!data.InactivePicture->Empty()) {
            EXPECT_EQ(StrayKey(*data.InactivePicture, {}), "");
        }
    }
}

TEST_F(StoredSkins, DescriptionsHoldEveryColourPointAndRectangleAsTheGeneratorWroteIt)
{
    const TSectionValue values[] = {
        {"FORMINFO", "clientrect", [](const TskSkinData& d) { return Numbers(d.ClRect); }},
        {"FORMINFO", "buttonsrect", [](const TskSkinData& d) { return Numbers(d.ButtonsRect); }},
        {"FORMINFO", "captionrect", [](const TskSkinData& d) { return Numbers(d.CaptionRect); }},
        {"POPUPWINDOW", "itemsrect", [](const TskSkinData& d) { return Numbers(d.PopupWindow->ItemsRect); }},
        {"POPUPWINDOW", "scrollmarkercolor",
         [](const TskSkinData& d) { return Numbers(d.PopupWindow->ScrollMarkerColor); }},
        {"POPUPWINDOW", "scrollmarkeractivecolor",
         [](const TskSkinData& d) { return Numbers(d.PopupWindow->ScrollMarkerActiveColor); }},
        {"POPUPWINDOW", "lefttoppoint", [](const TskSkinData& d) { return Numbers(d.PopupWindow->LTPoint); }},
        {"POPUPWINDOW", "righttoppoint", [](const TskSkinData& d) { return Numbers(d.PopupWindow->RTPoint); }},
        {"POPUPWINDOW", "leftbottompoint", [](const TskSkinData& d) { return Numbers(d.PopupWindow->LBPoint); }},
        {"POPUPWINDOW", "rightbottompoint", [](const TskSkinData& d) { return Numbers(d.PopupWindow->RBPoint); }},
        {"HINTWINDOW", "clientrect", [](const TskSkinData& d) { return Numbers(d.HintWindow->ClRect); }},
        {"HINTWINDOW", "fontcolor", [](const TskSkinData& d) { return Numbers(d.HintWindow->FontColor); }},
        {"HINTWINDOW", "lefttoppoint", [](const TskSkinData& d) { return Numbers(d.HintWindow->LTPoint); }},
        {"HINTWINDOW", "righttoppoint", [](const TskSkinData& d) { return Numbers(d.HintWindow->RTPoint); }},
        {"HINTWINDOW", "leftbottompoint", [](const TskSkinData& d) { return Numbers(d.HintWindow->LBPoint); }},
        {"HINTWINDOW", "rightbottompoint", [](const TskSkinData& d) { return Numbers(d.HintWindow->RBPoint); }},
        {"SKINCOLORS", "cbtnface", [](const TskSkinData& d) { return Numbers(d.SkinColors->cBtnFace); }},
        {"SKINCOLORS", "cbtntext", [](const TskSkinData& d) { return Numbers(d.SkinColors->cBtnText); }},
        {"SKINCOLORS", "cwindow", [](const TskSkinData& d) { return Numbers(d.SkinColors->cWindow); }},
        {"SKINCOLORS", "cwindowtext", [](const TskSkinData& d) { return Numbers(d.SkinColors->cWindowText); }},
        {"SKINCOLORS", "chighlight", [](const TskSkinData& d) { return Numbers(d.SkinColors->cHighLight); }},
        {"SKINCOLORS", "chighlighttext", [](const TskSkinData& d) { return Numbers(d.SkinColors->cHighLightText); }},
        {"SKINCOLORS", "cbtnhighlight", [](const TskSkinData& d) { return Numbers(d.SkinColors->cBtnHighLight); }},
        {"SKINCOLORS", "cbtnshadow", [](const TskSkinData& d) { return Numbers(d.SkinColors->cBtnShadow); }},
    };
    const TskSkinData unread(nullptr);
    for (TskCompressedStoredSkin* stored : skins_) {
        SCOPED_TRACE(stored->Description);
        cl::TMemIniFile generated;
        generated.SetText(GeneratedText(*stored));
        TskSkinData data(nullptr);
        data.LoadCompressedStoredSkin(stored);
        for (const TSectionValue& v : values) {
            const std::string written = generated.ReadString(v.section, v.key, "");
            EXPECT_EQ(v.held(data), written.empty() ? v.held(unread) : Numbers(written))
                << "[" << v.section << "] " << v.key;
        }
        // The lists alone give every description as it is before it reads its section.
        cl::TMemIniFile lists;
        for (const char* section : {"SKINOBJECTS", "SKINCONTROLS"}) {
            cl::TStringList keys;
            generated.ReadSection(section, &keys);
            for (int i = 0; i < keys.Count(); ++i)
                lists.WriteString(section, keys[i], generated.ReadString(section, keys[i], ""));
        }
        TskDataSkinObjectList objects;
        TskDataSkinControlList controls;
        LoadSkinObjects(lists, objects);
        LoadSkinControls(lists, controls);
        ASSERT_EQ(objects.Count(), data.ObjectList.Count());
        ASSERT_EQ(controls.Count(), data.CtrlList.Count());
        for (int i = 0; i < objects.Count(); ++i)
            ExpectTheGeneratorsValues(generated, *data.ObjectList[i], *objects[i]);
        for (int i = 0; i < controls.Count(); ++i)
            ExpectTheGeneratorsValues(generated, *data.CtrlList[i], *controls[i]);
    }
}
