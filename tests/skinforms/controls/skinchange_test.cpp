// The box controls that do not derive from the skinned bases hear a skin change through the
// form frame's walk, like the others.
#include "skinforms/frame/support.h"

#include "skinforms/controls/Edit.h"
#include "skinforms/controls/Tabs.h"

using namespace cl;
using namespace sk;
using namespace frametest;

TEST(BoxesSkinChange, TabPageAndEditControlsTakeTheNewSkinsDescriptions)
{
    TFrameSkin skin;
    TFramedForm form{skin.Data};
    auto* pages = new TskSkinPageControl(form.Form);
    pages->SetParent(form.Form);
    auto* sheet = new TskSkinTabSheet(pages);
    sheet->SetPageControl(pages);
    auto* tabs = new TskSkinTabControl(form.Form);
    tabs->SetParent(form.Form);
    tabs->Tabs()->Add("one");
    auto* edit = new TskSkinEdit(sheet);
    edit->SetParent(sheet);
    for (auto* c : std::initializer_list<TWinControl*>{pages, tabs, edit})
        c->HandleNeeded();
    pages->SetSkinData(skin.Data);
    tabs->SetSkinData(skin.Data);
    edit->SetSkinData(skin.Data);
    EXPECT_EQ(pages->DescriptionIndex(), -1);
    EXPECT_EQ(edit->DescriptionIndex(), -1);
    skin.Reload([&] {
        auto* t = static_cast<TskDataSkinTabControl*>(
            skin.Data->CtrlList.Add(std::make_unique<TskDataSkinTabControl>("tab")));
        t->TabRect = {0, 0, 30, 24};
        auto* e = static_cast<TskDataSkinEditControl*>(
            skin.Data->CtrlList.Add(std::make_unique<TskDataSkinEditControl>("edit")));
        e->SkinRect = {0, 0, 40, 23};
        e->ClRect = {3, 3, 37, 20};
    });
    EXPECT_NE(pages->DescriptionIndex(), -1);
    EXPECT_NE(tabs->DescriptionIndex(), -1);
    EXPECT_EQ(tabs->TabRect(0).Bottom - tabs->TabRect(0).Top, 24) << "the new skin's tab height";
    EXPECT_NE(edit->DescriptionIndex(), -1);
    EXPECT_EQ(edit->Height(), 23) << "the edit inside a sheet was reached too";
}
