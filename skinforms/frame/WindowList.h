#pragma once
// The window list of an MDI form: under the menu item the main form names as its WindowMenu,
// one item per shown child, captioned like it and checked while it is the active child.
// Choosing an item brings its child to the front. The child's frame adds, renames and removes
// its item; the item knows its child, so children with empty or equal names never mix up.
#include <string>

#include "classlib/controls/Forms.h"
#include "classlib/menus/Menus.h"

namespace sk {

// What an item's name adds to its child's name.
inline constexpr char WindowListItemSuffix[] = "_BSFCHILDITEM";

class TskMDIWindowListItem : public cl::TMenuItem {
public:
    // Owned by AOwner (the child's frame), standing for AChild.
    TskMDIWindowListItem(cl::TComponent* AOwner, cl::TCustomForm* AChild);
    cl::TCustomForm* Child() const { return child_; }

private:
    cl::TCustomForm* child_;
};

// The application's main form when it is an MDI form; null otherwise.
cl::TCustomForm* MDIMainForm();

// Checks the item of MainForm's active child and unchecks every other item of its window list.
void UpdateMDIWindowListChecks(cl::TCustomForm* MainForm);

// Brings an MDI child to the front of its form and activates it, restoring it first when it is
// minimized.
void ShowMDIChild(cl::TCustomForm* Child);

}  // namespace sk
