// The built-in interface texts and the interface-string table.
#include <gtest/gtest.h>

#include <set>

#include "skin/texts/ResourceStrData.h"
#include "skin/texts/Consts.h"

TEST(BuiltInTexts, EveryIdentifierHasItsKeysText)
{
    std::set<int> ids;
    for (int i = 0; i < sk::BuiltInTextCount; ++i) {
        const sk::TskBuiltInText& t = sk::BuiltInTexts()[i];
        ids.insert(t.Id);
        EXPECT_EQ(sk::LoadSkinStr(t.Id), t.Text);
        EXPECT_EQ(sk::BuiltInText(t.Key), t.Text);
    }
    EXPECT_EQ(ids.size(), 36u);
    EXPECT_EQ(sk::LoadSkinStr(sk::SK_MI_MINCAPTION), "Mi&nimize");
    EXPECT_EQ(sk::LoadSkinStr(65263), "Ma&ximize");
    EXPECT_EQ(sk::LoadSkinStr(65232), "&Close");
    EXPECT_EQ(sk::LoadSkinStr(65241), "System menu");
    EXPECT_EQ(sk::LoadSkinStr(65247), "Select All");
    EXPECT_EQ(sk::LoadSkinStr(65216), "&Yes");
    EXPECT_EQ(sk::LoadSkinStr(65226), "&Help");
    EXPECT_EQ(sk::LoadSkinStr(65231), "Information");
    EXPECT_EQ(sk::LoadSkinStr(65200), "Confirm");
    EXPECT_EQ(sk::LoadSkinStr(65201), "Do not display this message again");
}

TEST(BuiltInTexts, UnknownIdentifiersAndKeysAreEmpty)
{
    EXPECT_EQ(sk::LoadSkinStr(65202), "");
    EXPECT_EQ(sk::LoadSkinStr(0), "");
    EXPECT_EQ(sk::BuiltInText("MSG_BTN_OPEN"), "");  // a table line, but no built-in text
    EXPECT_EQ(sk::BuiltInText("mi_mincaption"), "");
}

TEST(ResourceStrData, DefaultLinesAndLookup)
{
    sk::TskResourceStrData data(nullptr);
    EXPECT_EQ(data.ResStrings()->Count(), 116);
    EXPECT_EQ(data.CharSet(), 1);
    EXPECT_EQ(data.GetResStr("MI_MINCAPTION"), "Mi&nimize");
    EXPECT_EQ(data.GetResStr("mi_mincaption"), "Mi&nimize");
    EXPECT_EQ(data.GetResStr("FLV_LOOKIN"), "Look in: ");
    EXPECT_EQ(data.GetResStr("FIND_REPLACE_ALL"), "Replace All");
    EXPECT_EQ(data.GetResStr("FIND_REPLACE_CLOSE"), "Close");
    EXPECT_EQ(data.GetResStr("NO_SUCH_KEY"), "");
    EXPECT_EQ(data.GetResStr(""), "");
    // Each built-in text is the text of its key's default line.
    for (int i = 0; i < sk::BuiltInTextCount; ++i)
        EXPECT_EQ(data.GetResStr(sk::BuiltInTexts()[i].Key), sk::BuiltInTexts()[i].Text);
}

TEST(ResourceStrData, AssignedLinesReplaceAllAndKeepLaterEquals)
{
    sk::TskResourceStrData data(nullptr);
    cl::TStringList lines;
    lines.Add("MSG_BTN_OK=Gut");
    lines.Add("FORMULA=a=b=c");
    lines.Add("MSG_BTN_OK=second");
    lines.Add("NOEQUALS");
    data.SetResStrings(&lines);
    EXPECT_EQ(data.ResStrings()->Count(), 4);
    EXPECT_EQ(data.GetResStr("MSG_BTN_OK"), "Gut");  // the first line of that name
    EXPECT_EQ(data.GetResStr("FORMULA"), "a=b=c");
    EXPECT_EQ(data.GetResStr("MI_MINCAPTION"), "");
    EXPECT_EQ(data.GetResStr("NOEQUALS"), "");
    lines.Clear();
    EXPECT_EQ(data.GetResStr("FORMULA"), "a=b=c");  // a copy, not a reference
}


TEST(ResourceStrData, UsersTakeTheTableWhenThereIsOne)
{
    EXPECT_EQ(sk::GetSkinResStr(nullptr, "MSG_BTN_CANCEL"), "Cancel");
    EXPECT_EQ(sk::GetSkinResStr(nullptr, "FLV_NAME"), "");  // in the table only
    sk::TskResourceStrData data(nullptr);
    cl::TStringList lines;
    lines.Add("MSG_BTN_CANCEL=Abbrechen");
    lines.Add("FLV_NAME=Name");
    data.SetResStrings(&lines);
    EXPECT_EQ(sk::GetSkinResStr(&data, "MSG_BTN_CANCEL"), "Abbrechen");
    EXPECT_EQ(sk::GetSkinResStr(&data, "FLV_NAME"), "Name");
    EXPECT_EQ(sk::GetSkinResStr(&data, "MSG_BTN_OK"), "");  // the table's answer, even when empty
}
