#pragma once
// A skin for menu tests: a red popup frame with a green items area, rows blue, yellow when
// active, with a grey divider.
#include "skinforms/menus/support.h"

namespace menutest {

struct TSkinnedMenuScene : TMenuScene {
    skctrltest::TTestSkin skin;
    TSkinnedMenuScene()
    {
        cl::TBitmap* window = skin.Picture();
        window->SetSize(60, 40);
        window->Fill(clRed);
        window->Canvas()->Brush()->SetColor(clLime);
        window->Canvas()->FillRect({4, 4, 56, 36});
        auto* rows = skin.Data->ActivePictures.Add(std::make_unique<cl::TBitmap>());
        rows->SetSize(40, 44);
        rows->Canvas()->Brush()->SetColor(clBlue);
        rows->Canvas()->FillRect({0, 0, 40, 20});
        rows->Canvas()->Brush()->SetColor(clYellow);
        rows->Canvas()->FillRect({0, 20, 40, 40});
        rows->Canvas()->Brush()->SetColor(clGray);
        rows->Canvas()->FillRect({0, 40, 40, 44});
        TskDataSkinPopupWindow& d = *skin.Data->PopupWindow;
        d.WindowPictureIndex = 0;
        d.LTPoint = {4, 4};
        d.RTPoint = {56, 4};
        d.LBPoint = {4, 36};
        d.RBPoint = {56, 36};
        d.ItemsRect = {4, 4, 56, 36};
        d.LeftStretch = d.RightStretch = d.TopStretch = d.BottomStretch = true;
        auto item = std::make_unique<TskDataSkinMenuItem>("menuitem");
        item->ActivePictureIndex = 1;
        item->SkinRect = {0, 0, 40, 20};
        item->ActiveSkinRect = {0, 20, 40, 40};
        item->DividerRect = {0, 40, 40, 44};
        item->TextRect = {4, 0, 36, 20};
        item->ItemLeftOffset = 2;
        item->ItemRightOffset = 2;
        skin.Data->ObjectList.Add(std::move(item));
        frame->Skin = skin.Data;
    }
    TskDataSkinMenuItem* ItemDesc() { return static_cast<TskDataSkinMenuItem*>(skin.Data->ObjectList.Items(0)); }
};

}  // namespace menutest
