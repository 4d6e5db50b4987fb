// The form frame: a full non-client paint of a 1040x760 frame against one BitBlt of the same
// size, its client background tiled from a one-pixel tile against the skin's own tile, and a
// skin switch of a form holding 20 skinned controls against one full repaint of
// that form.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_windows.h"
#include "classlib/controls/Forms.h"
#include "skin/controls/ScrollBar.h"
#include "skinforms/frame/Frame.h"
#include "skinforms/frame/Messages.h"
#include "skins/StoredSkins.h"

using namespace cl;
using namespace sk;

using bench::MedianFlushedMilliseconds;
using bench::Pump;
using bench::Report;

int main()
{
    Application->Initialize();
    TComponent owner(nullptr);
    std::vector<TskCompressedStoredSkin*> skins = trebanix::CreateStoredSkins(&owner);
    auto* skin = new TskSkinData(&owner);
    skin->SetCompressedStoredSkin(skins[12]);

    // A frame the size of the largest skinned surface, painted into memory.
    TForm* big = new TForm(nullptr);
    big->SetBounds(0, 0, 1040, 760);
    big->SetCaption("Trebanix Web Radio");
    auto* frame = new TskSkinFrame(big);
    frame->SetSkinData(skin);
    frame->AlwaysActive = true;
    TBitmap target;
    target.SetSize(1040, 760);
    TBitmap source;
    source.SetSize(1040, 760);
    source.Fill(0x336699);
    HDC dc = target.Canvas()->Handle();
    const double paint = MedianFlushedMilliseconds(31, [&] {
        SendMessageA(big->Handle(), WM_PAINTFRAMEINTODC, reinterpret_cast<WPARAM>(dc), PaintIntoDCAnswer);
    });
    const double blit = MedianFlushedMilliseconds(31, [&] {
        BitBlt(dc, 0, 0, 1040, 760, source.Canvas()->Handle(), 0, 0, SRCCOPY);
    });
    Report("frame_nonclient_paint_1040x760", paint, blit, "3");

    // The same form's client background: tiled from a tile of one pixel, which a skin file may
    // give, against the stored skin's own tile.
    auto erase = [&] { SendMessageA(big->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0); };
    const double storedTile = MedianFlushedMilliseconds(31, erase);
    auto pixel = std::make_unique<TBitmap>();
    pixel->SetSize(1, 1);
    skin->ActivePictures.Add(std::move(pixel));
    skin->BGPictureIndex = skin->ActivePictures.Count() - 1;
    const double onePixelTile = MedianFlushedMilliseconds(31, erase);
    Report("frame_client_background_1x1_tile_1040x760", onePixelTile, storedTile, "2");
    big->Free();

    // A shown form with 20 skinned scroll bars: the skin switch against one full repaint.
    TForm* form = new TForm(nullptr);
    form->SetBounds(0, 0, 640, 480);
    auto* formFrame = new TskSkinFrame(form);
    for (int i = 0; i < 20; ++i) {
        auto* bar = new TskSkinScrollBar(form);
        bar->SetParent(form);
        if (i % 2)
            bar->SetKind(sbVertical);
        bar->SetBounds(10 + (i % 10) * 60, 10 + (i / 10) * 200, i % 2 ? 19 : 50, i % 2 ? 150 : 19);
        bar->SetSkinData(skin);
    }
    formFrame->SetSkinData(skin);
    form->Show();
    Pump();
    int next = 0;
    const int pair[] = {33, 12};
    auto switchSkin = [&] {
        skin->SetCompressedStoredSkin(skins[pair[next]]);
        next ^= 1;
        UpdateWindow(form->Handle());
        Pump();
    };
    auto repaintAll = [&] {
        RedrawWindow(form->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump();
    };
    // A switch and a repaint take turns, so that a busy moment of the machine weighs on both
    // figures alike; each round starts after both have run once.
    switchSkin();
    repaintAll();
    std::vector<double> changes, repaints;
    for (int i = 0; i < 21; ++i) {
        changes.push_back(MedianFlushedMilliseconds(1, switchSkin));
        repaints.push_back(MedianFlushedMilliseconds(1, repaintAll));
    }
    Report("frame_skin_switch_20_controls", bench::MedianOf(changes), bench::MedianOf(repaints), "5");
    form->Free();
    return 0;
}
