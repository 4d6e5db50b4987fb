// The XML half of the station model (Windows: the XML layer lives on MSXML).
#include "classlib/platform/XmlDoc.h"
#include "radio/directory/RadioChannel.h"

namespace {

// The attribute names, made once: a directory has thousands of stations.
struct TAttributeNames {
    cl::TBStr Name{L"Name"}, StreamURL{L"StreamURL"}, WebsiteURL{L"WebsiteURL"}, PlaylistURL{L"PlaylistURL"},
        LogoURL{L"LogoURL"}, FavoriteOrder{L"FavoriteOrder"}, Category{L"Category"}, Country{L"Country"};
};

const TAttributeNames& Names()
{
    static const TAttributeNames names;
    return names;
}

void ReadText(const cl::TXMLNode& node, const cl::TBStr& name, std::string& field)
{
    field.clear();
    cl::TVariant value = node.Attribute(name);
    if (!value.IsNull())
        field = value.ToString();
}

}  // namespace

void TRadioChannel::SaveToXml(cl::TXMLNode& node) const
{
    const TAttributeNames& n = Names();
    node.SetAttribute(n.Name, Name);
    node.SetAttribute(n.StreamURL, StreamURL);
    node.SetAttribute(n.WebsiteURL, WebsiteURL);
    node.SetAttribute(n.PlaylistURL, PlaylistURL);
    node.SetAttribute(n.LogoURL, LogoURL);
    node.SetAttribute(n.FavoriteOrder, cl::IntToStr(FavoriteOrder));
    node.SetAttribute(n.Category, Category);
    node.SetAttribute(n.Country, Country);
}

void TRadioChannel::LoadFromXml(const cl::TXMLNode& node)
{
    const TAttributeNames& n = Names();
    ReadText(node, n.Name, Name);
    ReadText(node, n.StreamURL, StreamURL);
    ReadText(node, n.WebsiteURL, WebsiteURL);
    ReadText(node, n.PlaylistURL, PlaylistURL);
    ReadText(node, n.LogoURL, LogoURL);
    FavoriteOrder = -1;
    cl::TVariant order = node.Attribute(n.FavoriteOrder);
    if (!order.IsNull())
        FavoriteOrder = StrToFavoriteOrder(order.ToString());
    ReadText(node, n.Country, Country);
    ReadText(node, n.Category, Category);
}
