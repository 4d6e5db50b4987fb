#pragma once
// What rolling a panel up puts aside and rolling it down brings back: the panel's size
// constraints (a rolled panel must be free to take its caption's size) and the children that
// showed (hidden while rolled, so that none is laid out into a panel of no client area).
#include <vector>

#include "classlib/controls/Controls.h"

namespace sk {

class TskPanelRoll {
public:
    // Keeps and clears the constraints, stops aligning and hides the visible children; the
    // panel's own size is the caller's.
    void PutAside(cl::TWinControl& Panel);
    // The constraints as they were before the last PutAside, once; nothing when none were put
    // aside since, so that constraints set meanwhile stand.
    void RestoreConstraints(cl::TWinControl& Panel);
    // Shows the hidden children that are still on the panel and aligns again.
    void ShowChildren(cl::TWinControl& Panel);

private:
    cl::TSizeConstraints savedConstraints_;
    bool constraintsAside_ = false;
    // Children may be freed or moved away meanwhile: compared with the panel's, never used alone.
    std::vector<cl::TControl*> hiddenChildren_;
};

}  // namespace sk
