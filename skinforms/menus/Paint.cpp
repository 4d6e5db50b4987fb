// Drawing a menu level: its frame, its rows (skinned, or in the built-in look), the scroll
// markers, and the rows' frame animations and morphs. Everything is composed off-screen and
// copied in one step.
#include <algorithm>

#include "classlib/graphics/GdiHandles.h"
#include "classlib/graphics/ImgList.h"
#include "skin/drawing/DefaultLook.h"
#include "skin/drawing/Effects.h"
#include "skin/texts/ResourceStrData.h"
#include "skin/drawing/Utils.h"
#include "skin/drawing/Text.h"
#include "skinforms/menus/Menus.h"
#include "skinforms/menus/Look.h"

namespace sk {

using namespace cl;

namespace {

// Glyph stripe of a skinned row without images.
constexpr int SkinnedNoImagesStripWidth = 16;

bool HasGlyph(TMenuItem* Item, TCustomImageList* Images)
{
    if (Item->HasBitmap() && !Item->Bitmap()->Empty())
        return true;
    return Images && Item->ImageIndex() >= 0 && Item->ImageIndex() < Images->Count();
}

// The caption-button glyph the frame's menus show beside their items, by the item's name.
bool DrawNamedGlyph(TCanvas* Canvas, const std::string& Name, int X, int Y, TColor Color)
{
    if (Name == "BSF_CLOSE" || Name == "TRAY_BSF_CLOSE")
        DrawCrossGlyph(Canvas, X, Y, Color);
    else if (Name == "BSF_MINITEM")
        DrawUnderlineGlyph(Canvas, X, Y, Color);
    else if (Name == "BSF_MAXITEM")
        DrawMaximizeGlyph(Canvas, X, Y, Color);
    else if (Name == "BSF_RESTORE" || Name == "TRAY_BSF_RESTORE")
        DrawRestoreGlyph(Canvas, X, Y, Color);
    else if (Name == "BSF_ROLLUP")
        DrawUpTriangleGlyph(Canvas, X, Y, Color);
    else if (Name == "BSF_MINTOTRAY")
        DrawSquareGlyph(Canvas, X, Y, Color);
    else
        return false;
    return true;
}

// Four columns, 7 down to 1 pixels high, pointing right.
void DrawSubMenuArrow(TCanvas* Canvas, int X, int Y, TColor Color)
{
    Canvas->Pen()->SetColor(Color);
    for (int c = 0; c < 4; ++c) {
        Canvas->MoveTo(X + c, Y + c);
        Canvas->LineTo(X + c, Y + 7 - c);
    }
}

}  // namespace

TskSkinPopupWindow::TLook TskSkinPopupWindow::CurrentLook() const
{
    TLook look;
    TskSkinData* data = SkinData();
    if (!data || data->Empty)
        return look;
    look.Data = data;
    if (!useDescription_ || !data->PopupWindow)
        return look;
    TskDataSkinPopupWindow* frame = data->PopupWindow.get();
    TBitmap* picture = data->ActivePictures.Items(frame->WindowPictureIndex);
    if (!picture || picture->Empty())
        return look;
    look.Frame = frame;
    look.WindowPicture = picture;
    look.MaskPicture = data->ActivePictures.Items(frame->MaskPictureIndex);
    if (look.MaskPicture && look.MaskPicture->Empty())
        look.MaskPicture = nullptr;
    for (int i = 0; i < data->ObjectList.Count(); ++i) {
        auto* item = dynamic_cast<TskDataSkinMenuItem*>(data->ObjectList.Items(i));
        if (!item)
            continue;
        TBitmap* itemPicture = data->ActivePictures.Items(item->ActivePictureIndex);
        // Without its picture or its area the description cannot draw a row: built-in rows.
        if (itemPicture && !itemPicture->Empty() && !IsNullRect(item->SkinRect)) {
            look.Item = item;
            look.ItemPicture = itemPicture;
        }
        break;
    }
    return look;
}

TskMenuLook TskSkinPopupWindow::SizingLook(const TLook& Look) const
{
    TskMenuLook sizing;
    if (!Look.Frame)
        return sizing;
    sizing.SkinnedFrame = true;
    sizing.FrameItemsRect = Look.Frame->ItemsRect;
    sizing.PictureWidth = Look.WindowPicture->Width();
    sizing.PictureHeight = Look.WindowPicture->Height();
    if (Look.Item) {
        sizing.SkinnedItems = true;
        sizing.TextRect = Look.Item->TextRect;
        sizing.SkinRect = Look.Item->SkinRect;
    }
    return sizing;
}

void TskSkinPopupWindow::ApplyFont(const TLook& Look)
{
    if (Look.Frame && Look.Item && skinMenu_->UseSkinFont) {
        ItemFont.SetName(Look.Item->FontName);
        ItemFont.SetHeight(Look.Item->FontHeight);
        ItemFont.SetStyle(Look.Item->FontStyle);
    } else {
        ItemFont.Assign(&skinMenu_->DefMenuItemFont);
    }
    if (Look.Data && Look.Data->ResourceStrData())
        ItemFont.SetCharset(Look.Data->ResourceStrData()->CharSet());
    else
        ItemFont.SetCharset(skinMenu_->DefMenuItemFont.Charset());
}

TRect TskSkinPopupWindow::UpMarkerRect(const TLook& Look) const
{
    if (Look.Frame)
        return {ItemsRect.Left, ItemsRect.Top, ItemsRect.Right, ItemsRect.Top + MenuScrollMarkerHeight};
    return {3, 3, Width() - 3, 3 + MenuScrollMarkerHeight};
}

TRect TskSkinPopupWindow::DownMarkerRect(const TLook& Look) const
{
    if (Look.Frame)
        return {ItemsRect.Left, ItemsRect.Bottom - MenuScrollMarkerHeight, ItemsRect.Right, ItemsRect.Bottom};
    return {3, Height() - MenuScrollMarkerHeight, Width() - 3, Height() - 3};
}

void TskSkinPopupWindow::RedrawMarkers()
{
    if (HandleAllocated())
        InvalidateRect(Handle(), nullptr, TRUE);
}

// ---------------------------------------------------------------------------------------------

void TskSkinPopupWindow::PaintMenu(HDC DC)
{
    const int w = Width();
    const int h = Height();
    if (w <= 0 || h <= 0)
        return;
    const TLook look = CurrentLook();
    TBitmap buffer;
    buffer.SetSize(w, h);
    PaintFrame(buffer.Canvas(), look);
    for (int i = TopIndex; i < ItemCount(); ++i) {
        TskSkinMenuItem* item = Items(i);
        if (item->Visible)
            PaintItem(buffer.Canvas(), item, look);
    }
    if (Scroll)
        PaintScrollMarkers(buffer.Canvas(), look);
    BitBlt(DC, 0, 0, w, h, buffer.Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TskSkinPopupWindow::PaintFrame(TCanvas* Canvas, const TLook& Look)
{
    const int w = Width();
    const int h = Height();
    if (Look.Frame) {
        const TskDataSkinPopupWindow& d = *Look.Frame;
        TBitmap image;
        const TskAreaPoints area{d.LTPoint, d.RTPoint, d.LBPoint, d.RBPoint, d.ItemsRect};
        const TskAreaPoints fitted{LTPoint, RTPoint, LBPoint, RBPoint, ItemsRect};
        const TRect whole{0, 0, Look.WindowPicture->Width(), Look.WindowPicture->Height()};
        ComposeSkinImageEx(area, fitted, &image, Look.WindowPicture, whole, w, h, true, d.LeftStretch, d.TopStretch,
                           d.RightStretch, d.BottomStretch);
        Canvas->Draw(0, 0, &image);
        return;
    }
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clBtnFace);
    Canvas->FillRect({0, 0, ImageStripWidth + 2, h});
    Canvas->Brush()->SetColor(clWindow);
    Canvas->FillRect({ImageStripWidth + 2, 0, w, h});
    Canvas->Brush()->SetColor(clBtnShadow);
    Canvas->FrameRect({0, 0, w, h});
    Canvas->Brush()->SetColor(clWindow);
    Canvas->FrameRect({1, 1, w - 1, h - 1});
}

void TskSkinPopupWindow::PaintScrollMarkers(TCanvas* Canvas, const TLook& Look)
{
    TColor normal = clBtnShadow;
    TColor active = clBtnText;
    if (Look.Frame) {
        normal = Look.Frame->ScrollMarkerColor;
        active = Look.Frame->ScrollMarkerActiveColor;
    }
    DrawArrowImage(Canvas, UpMarkerRect(Look), ScrollCode == 1 ? active : normal, adUp);
    DrawArrowImage(Canvas, DownMarkerRect(Look), ScrollCode == 2 ? active : normal, adDown);
}

void TskSkinPopupWindow::PaintItem(TCanvas* Canvas, TskSkinMenuItem* Item, const TLook& Look)
{
    const TRect& r = Item->ObjectRect;
    const int w = r.Width();
    const int h = r.Height();
    if (w <= 0 || h <= 0)
        return;
    TBitmap image;
    image.SetSize(w, h);
    if (Look.Item)
        PaintSkinnedItem(image.Canvas(), Item, w, h, Look);
    else
        PaintDefaultItem(image.Canvas(), Item, w, h);
    Canvas->Draw(r.Left, r.Top, &image);
}

void TskSkinPopupWindow::RedrawItem(TskSkinMenuItem* Item)
{
    if (!HandleAllocated() || !IsWindowVisible(Handle()) || !Item->Visible)
        return;
    const TRect& r = Item->ObjectRect;
    if (r.Width() <= 0 || r.Height() <= 0)
        return;
    const TLook look = CurrentLook();
    TBitmap image;
    image.SetSize(r.Width(), r.Height());
    if (look.Item)
        PaintSkinnedItem(image.Canvas(), Item, r.Width(), r.Height(), look);
    else
        PaintDefaultItem(image.Canvas(), Item, r.Width(), r.Height());
    TWindowDC dc(Handle());
    BitBlt(dc.Handle(), r.Left, r.Top, r.Width(), r.Height(), image.Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TskSkinPopupWindow::PaintDefaultItem(TCanvas* Canvas, TskSkinMenuItem* Item, int W, int H)
{
    const int strip = ImageStripWidth;
    const bool lit = (Item->Active || Item->Down) && !Item->IsSeparator();
    Canvas->Brush()->SetStyle(bsSolid);
    if (lit) {
        Canvas->Brush()->SetColor(clSkinDefaultHotFill);
        Canvas->FillRect({0, 0, W, H});
        Canvas->Brush()->SetColor(clSkinDefaultFrame);
        Canvas->FrameRect({0, 0, W, H});
    } else {
        Canvas->Brush()->SetColor(clBtnFace);
        Canvas->FillRect({0, 0, strip, H});
        Canvas->Brush()->SetColor(clWindow);
        Canvas->FillRect({strip, 0, W, H});
    }
    if (!Item->MenuItem)
        return;
    if (Item->IsSeparator()) {
        Canvas->Pen()->SetColor(clBtnShadow);
        Canvas->MoveTo(strip, H / 2);
        Canvas->LineTo(W, H / 2);
        return;
    }
    const TColor text = lit || Item->Enabled() ? clWindowText : clBtnShadow;
    PaintItemContent(Canvas, Item, {2, 2, W - 2, H - 2}, strip, text);
}

void TskSkinPopupWindow::PaintSkinnedItem(TCanvas* Canvas, TskSkinMenuItem* Item, int W, int H, const TLook& Look)
{
    const TskDataSkinMenuItem& d = *Look.Item;
    TBitmap* picture = Look.ItemPicture;
    const bool lit = Item->Active || Item->Down;
    TBitmap background;
    if (Item->IsSeparator()) {
        ComposeHSkinStrip(d.DividerLeftOffset, d.DividerRightOffset, &background, picture, d.DividerRect, W, H,
                          d.DividerStretchEffect);
        Canvas->Draw(0, 0, &background);
        return;
    }
    const TRect activeRect = IsNullRect(d.ActiveSkinRect) ? d.SkinRect : d.ActiveSkinRect;
    const bool animating = HasFrameAnimation(Look) && Item->FrameIndex >= 1 && Item->FrameIndex <= d.FrameCount;
    if (animating) {
        const TRect& strip = d.AnimateSkinRect;
        const bool sideBySide = strip.Height() <= d.SkinRect.Height();
        const int i = Item->FrameIndex - 1;
        TRect frame;
        if (sideBySide) {
            const int fw = strip.Width() / d.FrameCount;
            frame = {strip.Left + i * fw, strip.Top, strip.Left + (i + 1) * fw, strip.Bottom};
        } else {
            const int fh = strip.Height() / d.FrameCount;
            frame = {strip.Left, strip.Top + i * fh, strip.Right, strip.Top + (i + 1) * fh};
        }
        // With only the active flag set, a normal image stretches only while a frame is drawn.
        ComposeHSkinStrip(d.ItemLeftOffset, d.ItemRightOffset, &background, picture, frame, W, H,
                          d.StretchEffect || d.InactiveStretchEffect);
        Canvas->Draw(0, 0, &background);
    } else if (HasMorphing(Look) && Item->MorphKf > 0 && Item->MorphKf < 1) {
        TBitmap target;
        ComposeHSkinStrip(d.ItemLeftOffset, d.ItemRightOffset, &background, picture, d.SkinRect, W, H,
                          d.InactiveStretchEffect);
        ComposeHSkinStrip(d.ItemLeftOffset, d.ItemRightOffset, &target, picture, activeRect, W, H, d.StretchEffect);
        auto from = TskEffectBmp::CreateFromHandle(background.Handle());
        auto to = TskEffectBmp::CreateFromHandle(target.Handle());
        from->MorphByKind(d.MorphKind, *to, Item->MorphKf);
        from->Draw(Canvas->Handle(), 0, 0);
    } else {
        const bool showLit = HasMorphing(Look) ? Item->MorphKf >= 1 : lit;
        ComposeHSkinStrip(d.ItemLeftOffset, d.ItemRightOffset, &background, picture, showLit ? activeRect : d.SkinRect,
                          W, H, showLit ? d.StretchEffect : d.InactiveStretchEffect);
        Canvas->Draw(0, 0, &background);
    }
    if (!Item->MenuItem)
        return;
    const TRect text{d.TextRect.Left, d.TextRect.Top, W - (d.SkinRect.Width() - d.TextRect.Right), d.TextRect.Bottom};
    if (Item->MenuItem->OnDrawItem) {
        Item->MenuItem->DrawItem(Canvas, text, Item->Active);
        return;
    }
    const TColor color = lit ? d.ActiveFontColor : Item->Enabled() ? d.FontColor : d.UnEnabledFontColor;
    PaintItemContent(Canvas, Item, text, Images ? ImageStripWidth : SkinnedNoImagesStripWidth, color);
}

void TskSkinPopupWindow::PaintItemContent(TCanvas* Canvas, TskSkinMenuItem* Item, const TRect& R, int Strip,
                                          TColor TextColor)
{
    TMenuItem* menuItem = Item->MenuItem;
    const int mid = R.Top + R.Height() / 2;
    Canvas->Font()->Assign(&ItemFont);
    Canvas->Font()->SetColor(TextColor);
    Canvas->Brush()->SetStyle(bsClear);
    // Through the text helper, which selects the canvas's font and colour and keeps the row's
    // picture behind the letters.
    {
        TRect r{R.Left + Strip, R.Top, R.Right, R.Bottom};
        DrawSkinText(Canvas, StringToWide(menuItem->Caption()), r, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
    if (menuItem->ShortCut() != scNone) {
        TRect r{R.Left + Strip, R.Top, R.Right - 19, R.Bottom};
        DrawSkinText(Canvas, StringToWide(ShortCutToText(menuItem->ShortCut())), r,
                     DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (menuItem->Count() > 0)
        DrawSubMenuArrow(Canvas, R.Right - 7, mid - 4, TextColor);
    Canvas->Brush()->SetStyle(bsSolid);

    if (HasGlyph(menuItem, Images)) {
        int gw = 0;
        int gh = 0;
        const bool fromBitmap = menuItem->HasBitmap() && !menuItem->Bitmap()->Empty();
        if (fromBitmap) {
            gw = menuItem->Bitmap()->Width();
            gh = menuItem->Bitmap()->Height();
        } else {
            gw = Images->Width();
            gh = Images->Height();
        }
        const int x = R.Left + 2;
        const int y = mid - gh / 2;
        if (fromBitmap)
            Canvas->Draw(x, y, menuItem->Bitmap());
        else
            Images->Draw(Canvas, x, y, menuItem->ImageIndex(), menuItem->Enabled());
        if (menuItem->Checked()) {
            Canvas->Brush()->SetColor(TextColor);
            Canvas->FrameRect({x - 1, y - 1, x + gw + 1, y + gh + 1});
        }
        return;
    }
    if (DrawNamedGlyph(Canvas, menuItem->Name(), R.Left + 2, mid - 4, TextColor))
        return;
    if (menuItem->Checked()) {
        if (menuItem->RadioItem())
            DrawRadioMark(Canvas, R.Left + 3, mid - 3, TextColor);
        else
            DrawCheckMark(Canvas, R.Left + 3, mid - 4, TextColor);
    }
}

// ---------------------------------------------------------------------------------------------
// Frame animation and morphing

bool TskSkinPopupWindow::HasFrameAnimation(const TLook& Look) const
{
    return Look.Item && Look.Data && Look.Data->EnableSkinEffects && !IsNullRect(Look.Item->AnimateSkinRect) &&
           Look.Item->FrameCount > 0;
}

bool TskSkinPopupWindow::HasMorphing(const TLook& Look) const
{
    return Look.Item && Look.Data && Look.Data->EnableSkinEffects && Look.Item->Morphing;
}

bool TskSkinMenuItem::CanMorphing()
{
    if (!Visible)
        return false;
    return Active || Down ? MorphKf < 1 : MorphKf > 0;
}

void TskSkinPopupWindow::StartAnimation()
{
    const TLook look = CurrentLook();
    if (HasMorphing(look)) {
        AnimTimer->SetInterval(MenuAnimInterval);
        AnimTimer->SetEnabled(true);
    } else if (HasFrameAnimation(look) && look.Item->AnimateInterval >= 0) {
        AnimTimer->SetInterval(static_cast<unsigned>(std::max(1, look.Item->AnimateInterval)));
        AnimTimer->SetEnabled(true);
    }
}

void TskSkinPopupWindow::AnimTimerTick(TObject*)
{
    const TskSkinMenu::TEntry entry(skinMenu_);
    const TLook look = CurrentLook();
    const bool morph = HasMorphing(look);
    const bool frames = HasFrameAnimation(look);
    bool changed = false;
    for (const auto& owned : ItemList) {
        TskSkinMenuItem* item = owned.get();
        if (!item->Visible || item->IsSeparator())
            continue;
        const bool lit = item->Active || item->Down;
        if (morph) {
            if (!item->CanMorphing())
                continue;
            double k = item->MorphKf + (lit ? 0.2 : -0.2);
            // Five steps end exactly at the end, not a rounding error short of it.
            if (k > 1 - 1e-9)
                k = 1;
            if (k < 1e-9)
                k = 0;
            item->MorphKf = k;
            changed = true;
            RedrawItem(item);
        } else if (frames) {
            const int count = look.Item->FrameCount;
            int next = item->FrameIndex;
            if (lit)
                next = std::min(next + 1, count + 1);
            else if (look.Item->InactiveAnimation)
                next = std::max(next - 1, 0);
            else
                next = 0;
            if (next != item->FrameIndex) {
                item->FrameIndex = next;
                changed = true;
                RedrawItem(item);
            }
        }
    }
    if (!changed)
        AnimTimer->SetEnabled(false);
}

}  // namespace sk
