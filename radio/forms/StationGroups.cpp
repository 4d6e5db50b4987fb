#include "radio/forms/StationGroups.h"

#include <string>
#include <unordered_map>

#include "skinforms/categorybuttons/Model.h"

void FillStationGroups(TskButtonCategories* groups, TRadioChannelCategory* favorites,
                       const std::vector<TRadioChannelCategory*>& categories)
{
    groups->Clear();
    std::unordered_map<std::string, TskButtonCategory*> byCaption;
    auto place = [&](TRadioChannelCategory* category) {
        TskButtonCategory*& group = byCaption[category->ShownCaption()];
        if (group) {
            category->AppendButtons(group);
            return;
        }
        group = groups->Add();
        group->SetData(category);
        category->FillButtonCategory(group);
    };
    place(favorites);
    for (TRadioChannelCategory* category : categories)
        place(category);
}
