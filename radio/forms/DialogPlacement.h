#pragma once
// The dialogs are laid out in code: each control made, parented and placed in one call.
#include "classlib/controls/Controls.h"
#include "skin/controls/Button.h"
#include "skin/controls/StdLabel.h"

namespace radio_dialogs {

template <class T>
T* Place(cl::TWinControl* Parent, cl::TComponent* Owner, int X, int Y, int W, int H)
{
    T* control = new T(Owner);
    control->SetParent(Parent);
    control->SetBounds(X, Y, W, H);
    return control;
}

inline sk::TskSkinStdLabel* PlaceLabel(cl::TWinControl* Parent, cl::TComponent* Owner, int X, int Y, int W,
                                       const char* Text)
{
    auto* label = Place<sk::TskSkinStdLabel>(Parent, Owner, X, Y, W, 14);
    label->SetCaption(Text);
    return label;
}

inline sk::TskSkinButton* PlaceButton(cl::TWinControl* Parent, cl::TComponent* Owner, int X, int Y, int W,
                                      const char* Text)
{
    auto* button = Place<sk::TskSkinButton>(Parent, Owner, X, Y, W, 25);
    button->SetSkinDataName("button");
    button->SetCaption(Text);
    return button;
}

} // namespace radio_dialogs
