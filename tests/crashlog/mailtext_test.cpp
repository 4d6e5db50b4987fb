#include <gtest/gtest.h>

#include "crashlog/EMailText.h"

using namespace crashlog;

TEST(MailText, Base64OfEachRemainder)
{
    EXPECT_EQ(EncodeBase64(""), "");
    EXPECT_EQ(EncodeBase64("f"), "Zg==");
    EXPECT_EQ(EncodeBase64("fo"), "Zm8=");
    EXPECT_EQ(EncodeBase64("foo"), "Zm9v");
    EXPECT_EQ(EncodeBase64("foobar"), "Zm9vYmFy");
    EXPECT_EQ(EncodeBase64("\xff\xfe\x01"), "//4B");
}

TEST(MailText, RecipientsSplitAtCommasAndSemicolons)
{
    EXPECT_EQ(SplitRecipients(" a@x.org ;b@y.org,, c@z.org ;"),
              (std::vector<std::string>{"a@x.org", "b@y.org", "c@z.org"}));
    EXPECT_TRUE(SplitRecipients("  ").empty());
}

TEST(MailText, LeadingPointsAreDoubled)
{
    EXPECT_EQ(DotStuff(".a\r\nb.c\r\n.\r\n..d"), "..a\r\nb.c\r\n..\r\n...d");
}

TEST(MailText, PlainMessageIsExact)
{
    EXPECT_EQ(BuildSmtpMessage("a@x.org", "Crash", "Hello\r\n.end", nullptr),
              "From: VozozoRez <a@x.org>\r\n"
              "Subject: Crash\r\n"
              "To: <a@x.org>\r\n"
              "Content-Type: text/plain;\r\n"
              "X-Priority: 1\r\n"
              "X-Library: VozozoRez 4.2.4\r\n"
              "\r\n"
              "Hello\r\n"
              "..end\r\n"
              ".");
}

TEST(MailText, MultipartMessageIsExact)
{
    TMailAttachment attachment{"C:\\Logs\\prog.elf", "one\r\ntwo\r\n"};
    EXPECT_EQ(BuildSmtpMessage("a@x.org", "S", "Body", &attachment),
              "From: VozozoRez <a@x.org>\r\n"
              "Subject: S\r\n"
              "To: <a@x.org>\r\n"
              "Content-Type: multipart/mixed; boundary=\"=_xcjvnxkbhvfkxzhfdbvzldjhfv\";\r\n"
              "MIME-Version: 1.0\r\n"
              "X-Priority: 1\r\n"
              "X-Library: VozozoRez 4.2.4\r\n"
              "\r\n"
              "This is a multi-part message in MIME format\r\n"
              "\r\n"
              "--=_xcjvnxkbhvfkxzhfdbvzldjhfv\r\n"
              "Content-Type: text/plain\r\n"
              "Content-Transfer-Encoding: 7bit\r\n"
              "\r\n"
              "Body\r\n"
              "\r\n"
              "--=_xcjvnxkbhvfkxzhfdbvzldjhfv\r\n"
              "Content-Type: application/octet-stream;\r\n"
              "        name=\"prog.elf\"\r\n"
              "Content-Transfer-Encoding: 8bit\r\n"
              "Content-Disposition: attachment;\r\n"
              "        filename=\"prog.elf\"\r\n"
              "\r\n"
              "one\r\n"
              "two\r\n"
              "--=_xcjvnxkbhvfkxzhfdbvzldjhfv--\r\n"
              ".");
}

TEST(MailText, MailtoPartsAreEncoded)
{
    EXPECT_EQ(BuildMailtoUrl("a@x.org;b c@y.org", "R&D report", "a=1&b=2\r\n100%"),
              "mailto:a@x.org,b%20c@y.org?Subject=RD%20report&Body=a%3D1%26b%3D2%0D%0A100%25");
}

TEST(MailText, ALongMailtoBodyIsCutBetweenCharactersAndSaysSo)
{
    const std::string body(3000, '%');
    const std::string whole = BuildMailtoUrl("a@x.org", "S", body);
    EXPECT_EQ(BuildMailtoUrl("a@x.org", "S", body, whole.size()), whole);
    const std::string note = PercentEncode("\r\n\r\n[The report is cut here: a mail link holds no more. The whole "
                                           "report is in the program's log file.]");
    const std::size_t limit = 1001;
    const std::string cut = BuildMailtoUrl("a@x.org", "S", body, limit);
    ASSERT_LE(cut.size(), limit);
    EXPECT_GT(cut.size(), limit - 3);
    const std::string head = "mailto:a@x.org?Subject=S&Body=";
    EXPECT_EQ(cut.substr(0, head.size()), head);
    ASSERT_EQ(cut.substr(cut.size() - note.size()), note);
    // Only whole "%25"s before the note.
    const std::string kept = cut.substr(head.size(), cut.size() - head.size() - note.size());
    EXPECT_EQ(kept.size() % 3, 0u);
    EXPECT_EQ(kept.find("%25%25"), 0u);
}
