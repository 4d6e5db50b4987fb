// The XML half of the station category (Windows: the XML layer lives on MSXML).
#include <memory>

#include "classlib/platform/XmlDoc.h"
#include "radio/directory/RadioChannelCategory.h"

void TRadioChannelCategory::SaveToXml(cl::TXMLNode& node) const
{
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
        const std::vector<cl::TXMLNode> children = node.ChildElements();
        loaded.reserve(children.size());
        for (const cl::TXMLNode& child : children) {
            auto channel = std::make_unique<TRadioChannel>();
            channel->LoadFromXml(child);
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
