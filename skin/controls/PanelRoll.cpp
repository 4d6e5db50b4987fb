#include "skin/controls/PanelRoll.h"

namespace sk {

using namespace cl;

void TskPanelRoll::PutAside(TWinControl& Panel)
{
    savedConstraints_.Assign(Panel.Constraints());
    constraintsAside_ = true;
    TSizeConstraints none;
    Panel.Constraints()->Assign(&none);
    Panel.DisableAlign();
    hiddenChildren_.clear();
    for (int i = 0; i < Panel.ControlCount(); ++i)
        if (Panel.Controls(i)->Visible()) {
            hiddenChildren_.push_back(Panel.Controls(i));
            Panel.Controls(i)->Hide();
        }
}

void TskPanelRoll::RestoreConstraints(TWinControl& Panel)
{
    if (!constraintsAside_)
        return;
    constraintsAside_ = false;
    Panel.Constraints()->Assign(&savedConstraints_);
}

void TskPanelRoll::ShowChildren(TWinControl& Panel)
{
    for (TControl* c : hiddenChildren_)
        for (int i = 0; i < Panel.ControlCount(); ++i)
            if (Panel.Controls(i) == c)
                c->Show();
    hiddenChildren_.clear();
    Panel.EnableAlign();
}

}  // namespace sk
