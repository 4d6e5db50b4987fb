// The XML document layer over the real MSXML of the test prefix.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "classlib/platform/XmlDoc.h"

using namespace cl;

namespace {

class XmlDocTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = Format("%sxmldoc-%u-%u\\", temp, unsigned(GetCurrentProcessId()), unsigned(GetTickCount()));
        CreateDirectoryA(folder_.c_str(), nullptr);
    }
    void TearDown() override
    {
        DeleteFileA((folder_ + "doc.xml").c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    std::string ReadBytes(const std::string& name)
    {
        std::ifstream in(name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    TComApartment apartment_;
    std::string folder_;
};

const char* const kAwkward = "Caf\xe9 & <M\xfcller> \"quoted\" 'single'";

}  // namespace

TEST_F(XmlDocTest, AwkwardTextSurvivesAFileRoundTrip)
{
    std::string file = folder_ + "doc.xml";
    {
        TXMLDocument doc;
        doc.SetVersion("1.0");
        TXMLNode root = doc.CreateDocumentElement("Root");
        TXMLNode child = root.AddChild("Item");
        child.SetAttribute("Name", kAwkward);
        child.SetAttribute("Empty", "");
        doc.SaveToFile(file);
    }
    std::string bytes = ReadBytes(file);
    EXPECT_EQ(bytes.rfind("<?xml version=\"1.0\"?>", 0), 0u) << bytes;
    // UTF-8 on disk: e-acute is C3 A9.
    EXPECT_NE(bytes.find("Caf\xc3\xa9"), std::string::npos) << bytes;

    TXMLDocument doc;
    doc.LoadFromFile(file);
    TXMLNode item = doc.ChildNode("Root").ChildNode("Item");
    ASSERT_FALSE(item.IsNull());
    EXPECT_EQ(item.Attribute("Name").ToString(), kAwkward);
    EXPECT_TRUE(item.HasAttribute("Empty"));
    EXPECT_EQ(item.Attribute("Empty").ToString(), "");
}

TEST_F(XmlDocTest, AttributesKeepInsertionOrder)
{
    TXMLDocument doc;
    TXMLNode root = doc.CreateDocumentElement("R");
    root.SetAttribute("Zeta", "1");
    root.SetAttribute("Alpha", "2");
    root.SetAttribute("Mid", "3");
    std::wstring xml = doc.XML();
    auto zeta = xml.find(L"Zeta"), alpha = xml.find(L"Alpha"), mid = xml.find(L"Mid");
    ASSERT_NE(mid, std::wstring::npos);
    EXPECT_LT(zeta, alpha);
    EXPECT_LT(alpha, mid);
}

TEST_F(XmlDocTest, MissingAttributeIsNull)
{
    TXMLDocument doc;
    doc.LoadFromXML(std::string("<R><C A='x'/></R>"));
    TXMLNode c = doc.DocumentElement().ChildNode("C");
    EXPECT_TRUE(c.HasAttribute("A"));
    EXPECT_FALSE(c.HasAttribute("B"));
    EXPECT_TRUE(c.Attribute("B").IsNull());
    try {
        c.Attribute("B").ToString();
        FAIL() << "no error";
    } catch (const EVariantTypeCastError& e) {
        EXPECT_STREQ(e.what(), "Could not convert variant of type (Null) into type (String)");
    }
}

TEST_F(XmlDocTest, ChildrenInOrderWithoutBlankTextAndOnlyElementsWhenAsked)
{
    TXMLDocument doc;
    doc.LoadFromXML(std::string("<R>\r\n  <A/>\n  <!-- note -->\n  <?pi data?>\n  <B/>\n  text\n  <C/>\n</R>"));
    TXMLNode root = doc.DocumentElement();
    std::vector<TXMLNode> all = root.ChildNodes();
    // A, the comment, the processing instruction, B, the text, C.
    ASSERT_EQ(all.size(), 6u);
    EXPECT_EQ(all[0].NodeName(), "A");
    EXPECT_EQ(all[3].NodeName(), "B");
    EXPECT_EQ(all[5].NodeName(), "C");
    std::vector<TXMLNode> elements = root.ChildElements();
    ASSERT_EQ(elements.size(), 3u);
    EXPECT_EQ(elements[0].NodeName(), "A");
    EXPECT_EQ(elements[1].NodeName(), "B");
    EXPECT_EQ(elements[2].NodeName(), "C");
}

TEST_F(XmlDocTest, TextThatIsNotWellFormedRaisesAndLeavesNothing)
{
    TXMLDocument doc;
    doc.LoadFromXML(std::string("<Good/>"));
    for (const char* bad : {"", "0", "<R><A></R>", "<R a='1' a='2'/>", "<R>&unknown;</R>", "<R/><S/>",
                            "<R attr=\"x</R>"}) {
        try {
            doc.LoadFromXML(std::string(bad));
            ADD_FAILURE() << "no error for " << bad;
        } catch (const EDOMParseError& e) {
            // A position is named only where the parser gives one, and a reason that is the
            // bare word "error" is no reason.
            EXPECT_EQ(e.Message().find("(line 0,"), std::string::npos) << e.Message();
            EXPECT_EQ(e.Message().find(": error"), std::string::npos) << e.Message();
        }
        EXPECT_TRUE(doc.DocumentElement().IsNull()) << bad;
    }
}

TEST_F(XmlDocTest, DocumentTypesAreRefused)
{
    TXMLDocument doc;
    // An external entity must never be fetched into the document.
    EXPECT_THROW(doc.LoadFromXML(std::string("<!DOCTYPE R [<!ENTITY e SYSTEM \"file:///etc/passwd\">]><R>&e;</R>")),
                 EDOMParseError);
    EXPECT_THROW(doc.LoadFromXML(std::string("<!DOCTYPE R [<!ENTITY e \"x\">]><R>&e;</R>")), EDOMParseError);
    EXPECT_TRUE(doc.DocumentElement().IsNull());
}

TEST_F(XmlDocTest, FilesAreReadInTheEncodingTheirBytesDeclare)
{
    const std::string file = folder_ + "doc.xml";
    const auto load = [&](const std::string& bytes) {
        {
            std::ofstream out(file, std::ios::binary);
            out << bytes;
        }
        TXMLDocument doc;
        doc.LoadFromFile(file);
        return doc.ChildNode("R").Attribute("A").ToWide();
    };
    EXPECT_EQ(load("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<R A=\"Caf\xe9\"/>"), L"Caf\u00e9");
    // UTF-16, little-endian, told by its byte-order mark alone.
    const std::wstring wide = L"<R A=\"Caf\u00e9 \u20ac\"/>";
    std::string utf16 = "\xff\xfe";
    for (wchar_t c : wide) {
        utf16 += static_cast<char>(c & 0xFF);
        utf16 += static_cast<char>(c >> 8);
    }
    EXPECT_EQ(load(utf16), L"Caf\u00e9 \u20ac");

    // A file that exists but cannot be read fails as one that is not there.
    HANDLE locked = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    TXMLDocument doc;
    EXPECT_THROW(doc.LoadFromFile(file), EDOMParseError);
    CloseHandle(locked);
}

TEST_F(XmlDocTest, ByteOrderMarkAndMissingFile)
{
    TXMLDocument doc;
    doc.LoadFromXML(std::wstring(L"\xFEFF<R/>"));
    EXPECT_EQ(doc.DocumentElement().NodeName(), "R");
    EXPECT_THROW(doc.LoadFromFile(folder_ + "nothing-here.xml"), EDOMParseError);
}
