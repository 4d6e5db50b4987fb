// The XML half of the station category (Windows: the XML layer lives on MSXML).
#include <memory>

#include "classlib/platform/XmlDoc.h"
#include "radio/directory/RadioChannelCategory.h"

void TRadioChannelCategory::SaveToXml(cl::TXMLNode& node) const
{
    node.SetAttribute("Name", name_);
    for (const TRadioChannel* channel : channels_) {
        cl::TXMLNode child = node.AddChild("RadioChannel");
        channel->SaveToXml(child);
    }
}

void TRadioChannelCategory::LoadFromXml(const cl::TXMLNode& node)
{
    std::string name = node.Attribute("Name").ToString();
    // Read into a list of our own first, so that a bad station leaves the category whole.
    TRadioChannelList loaded;
    try {
        for (const cl::TXMLNode& child : node.ChildElements()) {
            auto channel = std::make_unique<TRadioChannel>();
            channel->LoadFromXml(child);
            loaded.reserve(loaded.size() + 1);
            loaded.push_back(channel.release());
        }
    } catch (...) {
        TRadioChannel::ClearList(loaded);
        throw;
    }
    Clear();
    name_ = std::move(name);
    channels_.swap(loaded);
    ownsChannels_ = true;
}
