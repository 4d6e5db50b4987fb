// The caption buttons of every stored skin answer the pointer: a skin's caption object may
// cover the buttons, and the buttons lie above it.
#include "skinforms/frame/support.h"

#include <vector>

#include "skins/StoredSkins.h"

using namespace cl;
using namespace sk;
using namespace frametest;

TEST(FrameButtonHit, EveryStoredSkinsCaptionButtonsAreHitAboveItsCaptionObject)
{
    TComponent owner(nullptr);
    std::vector<TskCompressedStoredSkin*> skins = trebanix::CreateStoredSkins(&owner);
    auto* data = new TskSkinData(&owner);
    int buttonsSeen = 0;
    for (std::size_t s = 0; s < skins.size(); ++s) {
        data->SetCompressedStoredSkin(skins[s]);
        TFramedForm form(data, 500, 300);
        form.Frame->AlwaysActive = true;
        form.Show();
        RECT wr{};
        GetWindowRect(form.Wnd(), &wr);
        for (int i = 0; i < form.Frame->ObjectCount(); ++i) {
            TskActiveSkinObject* o = form.Frame->Objects(i);
            if (!o->Enabled || !o->Visible || dynamic_cast<TskSkinCaptionObject*>(o))
                continue;
            const TRect& r = o->ObjectRect;
            const int x = (r.Left + r.Right) / 2;
            const int y = (r.Top + r.Bottom) / 2;
            ++buttonsSeen;
            const LRESULT hit = SendMessageA(form.Wnd(), WM_NCHITTEST, 0, MAKELPARAM(wr.left + x, wr.top + y));
            EXPECT_EQ(hit, HTOBJECT) << "skin " << s << " object " << o->IDName;
            form.Frame->TestActive(x, y, true);
            EXPECT_EQ(form.Frame->ActiveObject, i) << "skin " << s << " object " << o->IDName;
            form.Frame->TestActive(-1, -1, true);
        }
    }
    EXPECT_GT(buttonsSeen, 35);
}
