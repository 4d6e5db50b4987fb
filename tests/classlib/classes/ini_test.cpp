// In-memory INI: the text rules of the skin descriptions, and the writer.
#include <gtest/gtest.h>

#include "classlib/classes/IniFiles.h"

using namespace cl;

namespace {

const char* kSkinText =
    "; a skin description\r\n"
    "stray = before any section\r\n"
    "[VERSION]\r\n"
    "  SkinName =  Sirius  \r\n"
    "ver=1\r\n"
    "\r\n"
    "[ Pictures ]\r\n"
    "picture=Main.bmp\r\n"
    "   ; an indented comment\r\n"
    "junk line without equals\r\n"
    "mask=\r\n"
    "url = http://x/?a=b=c\r\n"
    "[FormInfo]\r\n"
    "LTPoint = 8 , 27\r\n"
    "dec=-42\r\n"
    "hex1=$1F\r\n"
    "hex2=0x1F\r\n"
    "hex3=0X1f\r\n"
    "hex4=0x\r\n"
    "word=abc\r\n"
    "part=12abc\r\n"
    "big=99999999999\r\n"
    "spaced =  17  \r\n"
    "bool1=1\r\n"
    "bool0=0\r\n"
    "= no key\r\n"
    "Dup=first\r\n"
    "dup=second\r\n"
    "[empty]\r\n"
    "[version]\r\n"
    "skinauthor=Someone\r\n";

}  // namespace

TEST(CoreIni, TrimmedKeysAndValuesAndCaseInsensitiveNames)
{
    TMemIniFile ini;
    ini.SetText(kSkinText);
    EXPECT_EQ(ini.ReadString("version", "skinname", "?"), "Sirius");
    EXPECT_EQ(ini.ReadString("VERSION", "SKINNAME", "?"), "Sirius");
    EXPECT_EQ(ini.ReadString("pictures", "picture", "?"), "Main.bmp");  // "[ Pictures ]" trimmed
    EXPECT_EQ(ini.ReadString("Pictures", "mask", "?"), "");              // present but empty
    EXPECT_EQ(ini.ReadString("Pictures", "url", "?"), "http://x/?a=b=c");  // split at the first "="
    EXPECT_EQ(ini.ReadString("FormInfo", "ltpoint", ""), "8 , 27");
    // Values keep their case.
    ini.WriteString("x", "k", "MiXeD");
    EXPECT_EQ(ini.ReadString("X", "K", ""), "MiXeD");
}

TEST(CoreIni, CommentsJunkAndMissingKeys)
{
    TMemIniFile ini;
    ini.SetText(kSkinText);
    EXPECT_EQ(ini.ReadString("Pictures", "; an indented comment", "def"), "def");
    EXPECT_EQ(ini.ReadString("Pictures", "junk line without equals", "def"), "def");
    EXPECT_EQ(ini.ReadString("", "stray", "def"), "def");  // nothing before the first section
    EXPECT_EQ(ini.ReadString("FormInfo", "", "def"), "def");
    EXPECT_EQ(ini.ReadString("nosuch", "key", "def"), "def");
    EXPECT_EQ(ini.ReadString("FormInfo", "nosuch", "def"), "def");
    EXPECT_EQ(ini.ReadInteger("FormInfo", "nosuch", -1), -1);
    EXPECT_FALSE(ini.ValueExists("Pictures", "junk line without equals"));
    EXPECT_TRUE(ini.ValueExists("pictures", "MASK"));
    // The first of two equal keys wins; a section named twice is one section.
    EXPECT_EQ(ini.ReadString("FormInfo", "DUP", ""), "first");
    EXPECT_EQ(ini.ReadString("Version", "skinauthor", ""), "Someone");
}

TEST(CoreIni, IntegersDecimalAndHexOrTheDefault)
{
    TMemIniFile ini;
    ini.SetText(kSkinText);
    EXPECT_EQ(ini.ReadInteger("FormInfo", "dec", 0), -42);
    EXPECT_EQ(ini.ReadInteger("FormInfo", "hex1", 0), 31);
    EXPECT_EQ(ini.ReadInteger("FormInfo", "hex2", 0), 31);
    EXPECT_EQ(ini.ReadInteger("FormInfo", "hex3", 0), 31);
    EXPECT_EQ(ini.ReadInteger("FormInfo", "hex4", 5), 5);
    EXPECT_EQ(ini.ReadInteger("FormInfo", "word", 5), 5);
    EXPECT_EQ(ini.ReadInteger("FormInfo", "part", 5), 5);
    EXPECT_EQ(ini.ReadInteger("FormInfo", "big", 5), 5);
    EXPECT_EQ(ini.ReadInteger("FormInfo", "spaced", 5), 17);
    EXPECT_EQ(ini.ReadInteger("Pictures", "mask", 5), 5);  // empty value
    EXPECT_TRUE(ini.ReadBool("FormInfo", "bool1", false));
    EXPECT_FALSE(ini.ReadBool("FormInfo", "bool0", true));
    EXPECT_TRUE(ini.ReadBool("FormInfo", "missing", true));
    EXPECT_DOUBLE_EQ(ini.ReadFloat("FormInfo", "dec", 0), -42);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("FormInfo", "word", 1.5), 1.5);
}

TEST(CoreIni, SectionsAndKeysInOrder)
{
    TMemIniFile ini;
    ini.SetText(kSkinText);
    EXPECT_TRUE(ini.SectionExists("version"));
    EXPECT_TRUE(ini.SectionExists("PICTURES"));
    EXPECT_FALSE(ini.SectionExists("empty"));  // no keys: does not exist (Delphi)
    EXPECT_FALSE(ini.SectionExists("missing"));
    TStringList list;
    ini.ReadSections(&list);
    EXPECT_EQ(list.CommaText(), "VERSION,Pictures,FormInfo,empty");
    ini.ReadSection("Version", &list);
    EXPECT_EQ(list.CommaText(), "SkinName,ver,skinauthor");
    ini.ReadSectionValues("pictures", &list);
    EXPECT_EQ(list.Text(), "picture=Main.bmp\r\nmask=\r\nurl=http://x/?a=b=c\r\n");
    ini.ReadSection("missing", &list);
    EXPECT_EQ(list.Count(), 0);
}

TEST(CoreIni, WriterRoundTrip)
{
    TMemIniFile ini;
    ini.WriteString("Button", "skinrect", "0,0,10,10");
    ini.WriteInteger("Button", "pictureindex", 3);
    ini.WriteBool("Button", "stretcheffect", true);
    ini.WriteString("Edit", "font", "Arial");
    ini.WriteString("BUTTON", "SKINRECT", "1,1,2,2");  // replaces, with the new spelling
    EXPECT_EQ(ini.Text(),
              "[Button]\r\nSKINRECT=1,1,2,2\r\npictureindex=3\r\nstretcheffect=1\r\n\r\n"
              "[Edit]\r\nfont=Arial\r\n\r\n");
    TMemIniFile back;
    back.SetText(ini.Text());
    EXPECT_EQ(back.Text(), ini.Text());
    EXPECT_EQ(back.ReadInteger("button", "PictureIndex", 0), 3);
    back.DeleteKey("button", "pictureindex");
    EXPECT_FALSE(back.ValueExists("Button", "pictureindex"));
    EXPECT_EQ(back.ReadString("Button", "stretcheffect", ""), "1");
    back.EraseSection("BUTTON");
    EXPECT_FALSE(back.SectionExists("Button"));
    EXPECT_EQ(back.ReadString("Edit", "font", ""), "Arial");
    EXPECT_EQ(back.Text(), "[Edit]\r\nfont=Arial\r\n\r\n");
    back.EraseSection("nothing");  // no-op
    back.Clear();
    EXPECT_EQ(back.Text(), "");
}

TEST(CoreIni, FilesMissingWrittenAndReread)
{
#ifdef _WIN32
    std::string path = IncludeTrailingPathDelimiter(GetEnvVar("TEMP")) + "trebanix-core.ini";
#else
    std::string path = "/tmp/trebanix-core.ini";
#endif
    RemoveFile(path);
    TMemIniFile missing(path);  // a missing file is an empty INI
    EXPECT_FALSE(missing.SectionExists("Coordinates"));
    missing.WriteInteger("Coordinates", "Width", 640);
    EXPECT_FALSE(FileExists(path));  // nothing is written before UpdateFile
    missing.UpdateFile();
    TMemIniFile reread(path);
    EXPECT_EQ(reread.ReadInteger("coordinates", "width", 0), 640);
    EXPECT_EQ(reread.FileName(), path);
    RemoveFile(path);
    TMemIniFile unbound;
    unbound.WriteString("a", "b", "c");
    EXPECT_NO_THROW(unbound.UpdateFile());  // no file: nothing to do
}

#ifdef _WIN32
TEST(CoreIni, AnUnreadableFileIsAnOpenError)
{
    std::string path = IncludeTrailingPathDelimiter(GetEnvVar("TEMP")) + "trebanix-core-locked.ini";
    WriteFileBytes(path, "[a]\r\nb=1\r\n");
    {
        TFileStream holder(path, fmOpenReadWrite | fmShareExclusive);
        try {
            TMemIniFile ini(path);
            FAIL();
        } catch (const EFOpenError& e) {
            EXPECT_NE(e.Message().find(path), std::string::npos);
        }
    }
    TMemIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("a", "b", 0), 1);
    RemoveFile(path);
}
#endif

TEST(CoreIni, BinaryJunkNeverCrashes)
{
    std::string junk;
    for (int i = 0; i < 4096; ++i)
        junk.push_back(char((i * 131 + 7) % 256));
    junk += "\n[ok]\nkey=1\n[\n]\n[]\n=\n[unterminated\nx=y";
    TMemIniFile ini;
    ini.SetText(junk);
    EXPECT_EQ(ini.ReadInteger("ok", "key", 0), 1);
    EXPECT_EQ(ini.ReadString("unterminated", "x", "d"), "d");
    EXPECT_EQ(ini.ReadString("", "x", "d"), "y");  // "[]" named the empty section
}
