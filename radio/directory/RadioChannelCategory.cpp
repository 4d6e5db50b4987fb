#include "radio/directory/RadioChannelCategory.h"

#include <algorithm>
#include <memory>
#include <unordered_set>

#include "classlib/system/SysUtils.h"
#include "radio/forms/MainTexts.h"
#include "skinforms/categorybuttons/Model.h"

TRadioChannelCategory::TRadioChannelCategory(std::string name, bool ownsChannels)
    : name_(std::move(name)), ownsChannels_(ownsChannels)
{
}

TRadioChannelCategory::~TRadioChannelCategory()
{
    Clear();
}

void TRadioChannelCategory::Clear()
{
    if (ownsChannels_)
        TRadioChannel::ClearList(channels_);
    else
        channels_.clear();
}

void TRadioChannelCategory::AddChannels(const TRadioChannelList& list)
{
    // An owning category would free stations that another category owns as well.
    cl::Assert(!ownsChannels_, "Assertion failure", "RadioChannelCategory.cpp", __LINE__);
    channels_.insert(channels_.end(), list.begin(), list.end());
}

void TRadioChannelCategory::GetFavorites(TRadioChannelList& list) const
{
    for (TRadioChannel* channel : channels_)
        if (channel->IsFavorite())
            list.push_back(channel);
}

void TRadioChannelCategory::AddChannelCopy(const TRadioChannel& channel)
{
    auto copy = std::make_unique<TRadioChannel>();
    TRadioChannel::Copy(*copy, channel);
    // Let go only once the list holds it. The list grows by its own doubling steps: growing it
    // by one station at a time would copy the whole list for every station added.
    channels_.push_back(copy.get());
    copy.release();
}

namespace {

// A name with nothing to read in it.
bool IsBlank(const std::string& name)
{
    return std::all_of(name.begin(), name.end(), [](unsigned char c) { return c <= ' '; });
}

}  // namespace

std::string TRadioChannelCategory::ShownCaption() const
{
    // Stations that came without a category are grouped under an empty name, which would
    // make a group header with nothing on it.
    return IsBlank(name_) ? radio_texts::SNoCategory : name_;
}

void TRadioChannelCategory::FillButtonCategory(TskButtonCategory* category) const
{
    category->SetCaption(ShownCaption());
    for (size_t i = 0; i < channels_.size(); ++i) {
        TskBaseButtonItem* button = category->Items()->Insert(static_cast<int>(i));
        button->SetCaption(channels_[i]->Name);
        button->SetData(channels_[i]);
    }
    // Only the favourites are open at first; the comparison is exact on purpose.
    category->SetCollapsed(category->Caption() != radio_texts::SFavorites);
}

void TRadioChannelCategory::AppendButtons(TskButtonCategory* category) const
{
    // A favourite of a category the service calls "Favorites" is in the user's group already.
    std::unordered_set<const void*> shown;
    for (int i = 0; i < category->Items()->Count(); ++i)
        shown.insert(category->Items()->Items(i)->Data());
    for (TRadioChannel* channel : channels_) {
        if (!shown.insert(channel).second)
            continue;
        TskBaseButtonItem* button = category->Items()->Add();
        button->SetCaption(channel->Name);
        button->SetData(channel);
    }
}
