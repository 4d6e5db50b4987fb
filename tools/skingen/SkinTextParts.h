#pragma once
// The two halves of the description text after the window sections.
#include "FrameLayout.h"
#include "IniText.h"
#include "Palette.h"

namespace skingen {

void describeObjects(IniText& t, const SkinParams& p, const Palette& c, const FrameLayout& f);
void describeControls(IniText& t, const SkinParams& p, const Palette& c);

// The four corner points of a nine-part image, "<prefix>lefttoppoint" .. "<prefix>rightbottompoint".
void cornerPoints(IniText& t, Point lt, Point rt, Point lb, Point rb, const std::string& prefix = "");
// The same for an image w by h whose corners are inset pixels from its edges.
void insetCornerPoints(IniText& t, int w, int h, int inset, const std::string& prefix = "");

// The control and object names every skin describes, with their type words, in list order.
struct NamedType {
    const char* name;
    const char* type;
};
const std::vector<NamedType>& describedObjects();
const std::vector<NamedType>& describedControls();

}  // namespace skingen
