#include <gtest/gtest.h>

#include "crashlog/EErrors.h"
#include "crashlog/EOptions.h"
#include "crashlog/EStream.h"

using namespace crashlog;

TEST(Options, DefaultsMatchTheDocumentedValues)
{
    TVozozoModuleOptions o("C:\\App\\prog.exe");
    EXPECT_EQ(o.TerminateBtnOperation, 1);
    EXPECT_FALSE(o.FreezeActivate);
    EXPECT_EQ(o.FreezeTimeout, 60);
    EXPECT_EQ(o.FreezeMessage, "The application seems to be frozen.");
    EXPECT_EQ(o.LogFields, 0xFFFFFFFFu);
    EXPECT_EQ(o.ErrorsNumberToSave, 32);
    EXPECT_EQ(o.TerminateBtnThreshold, 3);
    EXPECT_EQ(o.EmailSendMode, 0);
    EXPECT_EQ(o.EmailConfirmation, 2);
    EXPECT_TRUE(o.SaveLogFile && o.FilterActive && o.Active && o.StyledDialog);
    EXPECT_FALSE(o.NoOutput || o.AttachLogInBody);
    EXPECT_EQ(o.GetCustomizedText(3),
              "An error has occurred during program execution.\r\n"
              "Please read the following information for further details.");
    EXPECT_EQ(o.GetCustomizedText(44),
              "I will now send an email with the error(s) that occurred to the author of the program.");
    EXPECT_EQ(o.GetCustomizedText(45), "");
    EXPECT_EQ(o.GetCustomizedText(-1), "");
}

TEST(Options, OutputFileFollowsFolderOrWholeElfName)
{
    TVozozoModuleOptions o("C:\\App\\prog.exe");
    EXPECT_EQ(o.OutputLogFile(), "C:\\App\\prog.elf");
    o.OutputPath = "D:\\Logs";
    EXPECT_EQ(o.OutputLogFile(), "D:\\Logs\\prog.elf");
    o.OutputPath = "D:\\Logs\\";
    EXPECT_EQ(o.OutputLogFile(), "D:\\Logs\\prog.elf");
    o.OutputPath = "D:\\Logs\\all.ELF";
    EXPECT_EQ(o.OutputLogFile(), "D:\\Logs\\all.ELF");
    TVozozoModuleOptions noExt("C:\\App.d\\prog");
    EXPECT_EQ(noExt.OutputLogFile(), "C:\\App.d\\prog.elf");
}

TEST(Options, AssignCopiesEverythingAndRefusesNil)
{
    TVozozoModuleOptions a("a.exe"), b("b.exe");
    a.FilterClasses = {"EAbort2"};
    a.FilterMessages = {"m"};
    a.SetCustomizedText(20, "Kind");
    a.ErrorsNumberToSave = 5;
    a.Active = false;
    b.Assign(&a);
    EXPECT_EQ(b.ModuleName, "a.exe");
    EXPECT_EQ(b.FilterClasses, a.FilterClasses);
    EXPECT_EQ(b.GetCustomizedText(20), "Kind");
    EXPECT_EQ(b.ErrorsNumberToSave, 5);
    EXPECT_FALSE(b.Active);
    EXPECT_THROW(b.Assign(nullptr), EOptionsError);
}

namespace {
std::vector<std::uint8_t> Stored(const TVozozoModuleOptions& o)
{
    TDataWriter w;
    o.SaveToStream(w);
    return w.Bytes();
}
}  // namespace

TEST(Options, StreamRoundTripIsExact)
{
    TVozozoModuleOptions a("x.exe");
    a.SMTPHost = "mail.example";
    a.SMTPPassword = "s\xE9" "cret";
    a.FreezeActivate = true;
    a.FreezeTimeout = 12;
    a.LogOptions = 5;
    a.LogFields = 0x1234;
    a.FilterClasses = {"EConvertError", "EFoo"};
    a.FilterMessages = {"", "No foo."};
    a.OutputPath = "D:\\x.elf";
    a.SetCustomizedText(10, "&Again");
    a.SetCustomizedText(11, "&More");
    auto bytes = Stored(a);
    TVozozoModuleOptions b("x.exe");
    TDataReader r(bytes.data(), bytes.size());
    b.LoadFromStream(r);
    EXPECT_EQ(r.Remaining(), 0u);
    EXPECT_EQ(Stored(b), bytes);
    EXPECT_EQ(b.SMTPPassword, "s\xE9" "cret");
    EXPECT_EQ(b.FilterMessages[1], "No foo.");
    // Strings are not stored readably.
    std::string raw(bytes.begin(), bytes.end());
    EXPECT_EQ(raw.find("mail.example"), std::string::npos);
}

TEST(Options, OlderDataKeepsDefaultsAndConvertsMilliseconds)
{
    // Version 420 data: no SMTP user, password, terminate operation or text 10; time-out in ms.
    TDataWriter w;
    for (int i = 0; i < 8; ++i)
        w.WriteBool(i != 2 ? true : false);
    w.WriteBool(true);         // FreezeActivate
    w.WriteInt32(45000);       // ms
    w.WriteString("Frozen!");
    w.WriteString("smtp.host");
    w.WriteBool(false);        // TerminateBtnAllowed
    w.WriteInt32(7);
    w.WriteInt32(2);
    w.WriteString("a@b");
    w.WriteString("subj");
    w.WriteByte(1);
    w.WriteInt32(3);
    w.WriteByte(0);
    w.WriteString("out");
    w.WriteInt32(0);
    w.WriteString("msg");
    for (int i = 0; i < 45; ++i)
        if (i != 10)
            w.WriteString("t" + std::to_string(i));
    TVozozoModuleOptions o("x.exe");
    TDataReader r(w.Bytes().data(), w.Bytes().size());
    o.LoadFromStream(r, 420);
    EXPECT_EQ(r.Remaining(), 0u);
    EXPECT_EQ(o.FreezeTimeout, 45);
    EXPECT_TRUE(o.FreezeActivate);
    EXPECT_EQ(o.SMTPHost, "smtp.host");
    EXPECT_EQ(o.TerminateBtnOperation, 1);
    EXPECT_EQ(o.GetCustomizedText(10), "&Restart");
    EXPECT_EQ(o.GetCustomizedText(11), "t11");
    EXPECT_EQ(o.ErrorsNumberToSave, 7);

    // Version 400: the first five bytes, then the terminate fields.
    TDataWriter v;
    for (int i = 0; i < 5; ++i)
        v.WriteBool(false);
    v.WriteBool(true);
    v.WriteInt32(9);
    v.WriteInt32(1);
    for (const char* s : {"", ""})
        v.WriteString(s);
    v.WriteByte(0);
    v.WriteInt32(-1);
    v.WriteByte(2);
    v.WriteString("");
    v.WriteInt32(0);
    v.WriteString("");
    for (int i = 0; i < 43; ++i)
        v.WriteString("x");
    TVozozoModuleOptions old("x.exe");
    TDataReader rv(v.Bytes().data(), v.Bytes().size());
    old.LoadFromStream(rv, 400);
    EXPECT_EQ(rv.Remaining(), 0u);
    EXPECT_TRUE(old.SaveLogFile);
    EXPECT_TRUE(old.OpenOnGeneralTab);
    EXPECT_TRUE(old.StyledDialog);
    EXPECT_FALSE(old.FreezeActivate);
    EXPECT_EQ(old.FreezeTimeout, 60);
    EXPECT_EQ(old.SMTPHost, "");
    EXPECT_EQ(old.GetCustomizedText(10), "&Restart");
    EXPECT_EQ(old.GetCustomizedText(11), "&Details");
}

TEST(Options, TruncatedOrCorruptStreamRaisesReadError)
{
    TVozozoModuleOptions a("x.exe");
    auto bytes = Stored(a);
    for (std::size_t cut : {std::size_t(0), std::size_t(3), bytes.size() / 2, bytes.size() - 1}) {
        TVozozoModuleOptions b("x.exe");
        TDataReader r(bytes.data(), cut);
        EXPECT_THROW(b.LoadFromStream(r), EReadError) << cut;
    }
    // A string length far beyond the data must not allocate or read past the end.
    TDataWriter w;
    w.WriteInt32(0x7FFFFFF0);
    TDataReader r(w.Bytes().data(), w.Bytes().size());
    EXPECT_THROW(r.ReadString(), EReadError);
}

TEST(Options, CurrentOptionsSwitchHangDetection)
{
    static std::vector<bool> calls;
    calls.clear();
    TVozozoModuleOptionsEx::FreezeSwitch = [](bool run) { calls.push_back(run); };
    TVozozoModuleOptionsEx current("x.exe");
    current.SetSwitchesFreeze(true);
    current.SetFreezeActivate(true);
    current.SetActive(false);
    TVozozoModuleOptionsEx module("y.dll");
    module.SetFreezeActivate(true);  // a module's own options switch nothing
    TVozozoModuleOptionsEx::FreezeSwitch = nullptr;
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_TRUE(calls[0]);
    EXPECT_FALSE(calls[1]);
}
