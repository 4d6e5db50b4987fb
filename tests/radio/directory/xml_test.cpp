// Station and category XML through the real MSXML DOM.
#include <gtest/gtest.h>

#include "classlib/platform/XmlDoc.h"
#include "radio/directory/RadioChannelCategory.h"
#include "radio/directory/StationCache.h"

namespace {

class StationXmlTest : public ::testing::Test {
protected:
    cl::TXMLNode Parse(const std::string& xml)
    {
        doc_.LoadFromXML(xml);
        return doc_.DocumentElement();
    }
    cl::TComApartment apartment_;
    cl::TXMLDocument doc_;
};

}  // namespace

TEST_F(StationXmlTest, AStationWithoutAttributesIsEmptyAndNoFavourite)
{
    TRadioChannel station;
    station.Name = "stale";
    station.FavoriteOrder = 4;
    station.LoadFromXml(Parse("<Station/>"));
    EXPECT_EQ(station.Name, "");
    EXPECT_EQ(station.StreamURL, "");
    EXPECT_EQ(station.Category, "");
    EXPECT_EQ(station.FavoriteOrder, -1);
    EXPECT_FALSE(station.IsFavorite());
}

TEST_F(StationXmlTest, FavouriteOrdersReadStrictly)
{
    TRadioChannel station;
    station.LoadFromXml(Parse("<S FavoriteOrder='-3'/>"));
    EXPECT_TRUE(station.IsFavorite());
    station.LoadFromXml(Parse("<S FavoriteOrder='5'/>"));
    EXPECT_EQ(station.FavoriteOrder, 5);
    station.LoadFromXml(Parse("<S FavoriteOrder='0'/>"));
    EXPECT_TRUE(station.IsFavorite());
    try {
        station.LoadFromXml(Parse("<S FavoriteOrder='abc'/>"));
        FAIL() << "no error";
    } catch (const cl::EConvertError& e) {
        EXPECT_EQ(e.Message(), "'abc' is not a valid integer value");
    }
    EXPECT_THROW(station.LoadFromXml(Parse("<S FavoriteOrder=''/>")), cl::EConvertError);
}

TEST_F(StationXmlTest, ACategoryRoundTripKeepsOrderAndAllEightAttributes)
{
    TRadioChannelCategory category("Rock & <Roll> \"'\xe9", true);
    for (int i = 0; i < 3; ++i) {
        TRadioChannel s;
        s.Name = "Caf\xe9 & <M\xfcller> \"" + std::to_string(i) + "'";
        s.StreamURL = "http://127.0.0.1/s?a=1&b=" + std::to_string(i);
        s.WebsiteURL = "w" + std::to_string(i);
        s.PlaylistURL = "p";
        s.LogoURL = "l";
        s.FavoriteOrder = i - 1;
        s.Category = category.GetName();
        s.Country = "\xd6sterreich";
        category.AddChannelCopy(s);
    }
    cl::TXMLDocument out;
    cl::TXMLNode root = station_cache::StartDocument(out);
    cl::TXMLNode node = station_cache::AddCategory(root, category.GetName());
    category.SaveToXml(node);
    std::wstring xml = out.XML();
    // Attributes in their fixed order.
    const wchar_t* names[] = {L"Name=", L"StreamURL=", L"WebsiteURL=", L"PlaylistURL=", L"LogoURL=",
                              L"FavoriteOrder=", L"Category=", L"Country="};
    size_t station = xml.find(L"<RadioChannel ");
    size_t last = station;
    for (const wchar_t* name : names) {
        size_t at = xml.find(name, station);
        ASSERT_NE(at, std::wstring::npos) << cl::WideToUtf8(name);
        EXPECT_GT(at, last);
        last = at;
    }

    TRadioChannelCategory back;
    back.LoadFromXml(Parse(cl::WideToString(xml)).ChildElements().at(0));
    EXPECT_EQ(back.GetName(), category.GetName());
    ASSERT_EQ(back.Channels().size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const TRadioChannel& a = *category.Channels()[i];
        const TRadioChannel& b = *back.Channels()[i];
        EXPECT_EQ(a.Name, b.Name);
        EXPECT_EQ(a.StreamURL, b.StreamURL);
        EXPECT_EQ(a.WebsiteURL, b.WebsiteURL);
        EXPECT_EQ(a.PlaylistURL, b.PlaylistURL);
        EXPECT_EQ(a.LogoURL, b.LogoURL);
        EXPECT_EQ(a.FavoriteOrder, b.FavoriteOrder);
        EXPECT_EQ(a.Category, b.Category);
        EXPECT_EQ(a.Country, b.Country);
    }
}

TEST_F(StationXmlTest, ACategoryWithoutNameFailsAndKeepsWhatItHad)
{
    TRadioChannelCategory category;
    category.LoadFromXml(Parse("<C Name='Jazz'><S Name='one'/></C>"));
    try {
        category.LoadFromXml(Parse("<C><S Name='two'/></C>"));
        FAIL() << "no error";
    } catch (const cl::EVariantTypeCastError& e) {
        EXPECT_EQ(e.Message(), "Could not convert variant of type (Null) into type (String)");
    }
    EXPECT_THROW(category.LoadFromXml(Parse("<C Name='x'><S Name='two' FavoriteOrder='x'/></C>")),
                 cl::EConvertError);
    EXPECT_EQ(category.GetName(), "Jazz");
    ASSERT_EQ(category.Channels().size(), 1u);
    EXPECT_EQ(category.Channels()[0]->Name, "one");
}

TEST_F(StationXmlTest, OnlyElementsBecomeStations)
{
    TRadioChannelCategory category;
    category.LoadFromXml(Parse("<C Name='n'>text<!-- c --><S Name='a'/><?pi x?><Other Name='b'/></C>"));
    ASSERT_EQ(category.Channels().size(), 2u);
    EXPECT_EQ(category.Channels()[1]->Name, "b");
}
