#include "radio/SkinBinding.h"

#include "skin/skSkinCtrls.h"
#include "skin/skSkinCtrlsGraphic.h"
#include "skin/skSkinStdLabel.h"
#include "skinforms/skSkinFrame.h"
#include "skinforms/skSkinEdit.h"

void BindSkinData(cl::TComponent* Owner, sk::TskSkinData* SkinData)
{
    for (int i = 0; i < Owner->ComponentCount(); ++i) {
        cl::TComponent* c = Owner->Components(i);
        if (auto* frame = dynamic_cast<sk::TskSkinFrame*>(c))
            frame->SetSkinData(SkinData);
        else if (auto* control = dynamic_cast<sk::TskSkinControl*>(c))
            control->SetSkinData(SkinData);
        else if (auto* graphic = dynamic_cast<sk::TskGraphicSkinControl*>(c))
            graphic->SetSkinData(SkinData);
        else if (auto* label = dynamic_cast<sk::TskSkinStdLabel*>(c))
            label->SetSkinData(SkinData);
    }
}
