#include "radio/forms/SkinBinding.h"

#include "skin/data/User.h"
#include "skinforms/frame/Frame.h"

void BindSkinData(cl::TComponent* Owner, sk::TskSkinData* SkinData)
{
    for (int i = 0; i < Owner->ComponentCount(); ++i) {
        cl::TComponent* c = Owner->Components(i);
        // What is bound already hears of every new skin from the frame: bound again, it would
        // only draw the same look once more.
        if (auto* frame = dynamic_cast<sk::TskSkinFrame*>(c)) {
            if (frame->SkinData() != SkinData)
                frame->SetSkinData(SkinData);
        } else if (auto* user = dynamic_cast<sk::TskSkinDataUser*>(c)) {
            if (user->SkinData() != SkinData)
                user->SetSkinData(SkinData);
        }
    }
}
