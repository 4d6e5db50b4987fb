#pragma once
// The station groups of the main window: one group of buttons per caption shown, so that two
// categories the user cannot tell apart (a blank name and "(No category)", a category of the
// service named "Favorites" and the user's own favourites) are never two groups.
#include <vector>

#include "radio/directory/RadioChannelCategory.h"

class TskButtonCategories;

// Empties the groups, then gives the favourites the first group (the only one open) and each
// category, in order, the group of its shown caption: a category whose caption a group shows
// already adds its stations to that group. A group's data pointer is the first category that
// made it.
void FillStationGroups(TskButtonCategories* groups, TRadioChannelCategory* favorites,
                       const std::vector<TRadioChannelCategory*>& categories);
