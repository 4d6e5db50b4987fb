#pragma once
// The rules every drawn skin keeps. The generator refuses to write a skin that breaks one, and
// the tests run the same checks, so a tuning change that breaks a rule fails at once.
#include <string>
#include <vector>

#include "SkinBundle.h"

namespace skingen {

// Each problem as one readable line; empty when the skin keeps every rule.
std::vector<std::string> checkSkin(const SkinBundle& skin);

// The parts, for tests that want to see one rule fail on its own.
std::vector<std::string> checkDescribedNames(const SkinBundle& skin);
std::vector<std::string> checkRectangles(const SkinBundle& skin);
std::vector<std::string> checkKeyColour(const SkinBundle& skin);
std::vector<std::string> checkTiledStrips(const SkinBundle& skin);
std::vector<std::string> checkTextContrast(const SkinBundle& skin);
std::vector<std::string> checkMask(const SkinBundle& skin);

// The atlas cells drawn over the key colour.
std::vector<Rect> keyedCells();

}  // namespace skingen
