#pragma once
// A named, ordered list of stations that either owns them or only refers to them (the
// "Favorites" view refers to stations owned by the other categories).
#include <string>

#include "radio/directory/RadioChannel.h"

class TskButtonCategory;

class TRadioChannelCategory : public cl::TObject {
public:
    TRadioChannelCategory() = default;
    TRadioChannelCategory(std::string name, bool ownsChannels);
    ~TRadioChannelCategory() override;
    TRadioChannelCategory(const TRadioChannelCategory&) = delete;
    TRadioChannelCategory& operator=(const TRadioChannelCategory&) = delete;

    const std::string& GetName() const { return name_; }
    void SetName(const std::string& value) { name_ = value; }
    bool OwnsChannels() const { return ownsChannels_; }
    void SetOwnsChannels(bool value) { ownsChannels_ = value; }
    const TRadioChannelList& Channels() const { return channels_; }

    // Appends one "RadioChannel" element per station, in order (the element itself, named,
    // comes from the cache's layout).
    void SaveToXml(cl::TXMLNode& node) const;
    // Reads "Name" (required: a missing one raises the Null conversion error) and one station
    // per child element. On any error the category keeps what it held.
    void LoadFromXml(const cl::TXMLNode& node);

    // Appends the stations themselves; only for a category that does not own its stations.
    void AddChannels(const TRadioChannelList& list);
    // Appends every favourite of this category to the list, in category order.
    void GetFavorites(TRadioChannelList& list) const;
    void AddChannelCopy(const TRadioChannel& channel);
    // Frees the stations when owning, else only forgets them.
    void Clear();

    // The caption of this category's group of buttons: the name, or "(No category)" for a
    // name with nothing to read in it.
    std::string ShownCaption() const;
    // Caption = ShownCaption(), one button per station (data pointer = the station), then
    // collapsed unless the caption is exactly "Favorites".
    void FillButtonCategory(TskButtonCategory* category) const;
    // Appends a button for each station the group does not show yet, in order, to a group of
    // the same shown caption that another category filled.
    void AppendButtons(TskButtonCategory* category) const;

private:
    std::string name_;
    TRadioChannelList channels_;
    bool ownsChannels_ = true;
};
