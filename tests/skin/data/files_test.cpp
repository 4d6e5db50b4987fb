// Skin files at their limits: a description as large as the inflated data allows, a stream that
// inflates without end, and errors that name the file and what is wrong with it.
#include <gtest/gtest.h>

#include "classlib/classes/Classes.h"
#include "classlib/system/SysUtils.h"
#include "skin/data/SkinData.h"
#include "skin/data/Stream.h"
#include "skin/data/helpers.h"

using namespace sk;
using namespace sktest;

namespace {

std::string Description(const std::string& Comments)
{
    return Lines({"[VERSION]", "skinname=Large", "skincomments=" + Comments, "[FORMINFO]",
                  "clientrect=1,2,30,40", "[SKINCONTROLS]", "count=1", "0=button:button", "[button]",
                  "skinrect=0,0,4,3"});
}

std::unique_ptr<TskCompressedStoredSkin> Stored(const std::string& InflatedStream)
{
    auto stored = std::make_unique<TskCompressedStoredSkin>(nullptr);
    stored->CompressedStream().SetData(Deflate(InflatedStream));
    return stored;
}

const std::string kThreeMiB(3 * 1024 * 1024, 'c');

// Remembers the most room the stream ever held while it was written.
class TPeakStream : public cl::TMemoryStream {
public:
    void SetSize(std::int64_t NewSize) override
    {
        cl::TMemoryStream::SetSize(NewSize);
        Peak = std::max(Peak, Capacity());
    }
    std::int64_t Peak = 0;
};

}  // namespace

TEST(SkinFileLimits, ADescriptionOverTwoMegabytesLoads)
{
    TskSkinData data(nullptr);
    auto stored = Stored(Inflated(3, {Flagged(MakeBmp(2, 2, 1)), Absent(), Absent()}, {}, Description(kThreeMiB)));
    data.LoadCompressedStoredSkin(stored.get());
    EXPECT_FALSE(data.Empty);
    EXPECT_EQ(data.SkinName, "Large");
    EXPECT_EQ(data.SkinComments.size(), kThreeMiB.size());
    EXPECT_EQ(data.IndexOfControl("button"), 0);

    // Millions of lines that hold nothing (blank, comments, junk, one repeated section) load too.
    std::string filler;
    for (int i = 0; i < 400000; ++i)
        filler += "\r\n;c\r\njunk\r\n[VERSION]\r\n";
    auto lines = Stored(Inflated(3, {Absent(), Absent(), Absent()}, {}, filler + Description("x")));
    data.LoadCompressedStoredSkin(lines.get());
    EXPECT_FALSE(data.Empty);
    EXPECT_EQ(data.SkinComments, "x");
}

TEST(SkinFileLimits, AStreamThatInflatesWithoutEndNeverHoldsMoreThanTheBound)
{
    const std::int64_t chunk = static_cast<std::int64_t>(SkinZlibChunk);
    const std::string bomb = Deflate(std::string(static_cast<std::size_t>(MaxInflatedSkinSize) + 1024 * 1024, '\0'), 9);
    TPeakStream out;
    EXPECT_THROW(InflateSkinData(bomb.data(), bomb.size(), out), cl::EReadError);
    EXPECT_LE(out.Peak, MaxInflatedSkinSize + chunk);

    // A skin of ordinary size keeps no more room than twice its data once inflated.
    const std::string small = Deflate(std::string(100000, 'x'));
    cl::TMemoryStream ordinary;
    ordinary.WriteBuffer("head", 4);
    InflateSkinData(small.data(), small.size(), ordinary);
    EXPECT_EQ(ordinary.Size(), 100004);
    EXPECT_EQ(ordinary.Position(), 100004);
    EXPECT_LE(ordinary.Capacity(), 2 * ordinary.Size());
    EXPECT_EQ(ordinary.DataString().substr(0, 6), "headxx");
}

namespace {

// The message of the error a load of the packed file Bytes ends in, and that the skin before it
// was cleared.
std::string LoadError(const TempFolder& Folder, const std::string& Bytes)
{
    Folder.Write("Broken Skin.skn", Bytes);
    TskSkinData data(nullptr);
    auto good = Stored(Inflated(3, {Absent(), Absent(), Absent()}, {}, Description("x")));
    data.LoadCompressedStoredSkin(good.get());
    try {
        data.LoadFromCompressedFile(Folder.File("Broken Skin.skn"));
    } catch (const cl::EReadError& e) {
        return e.Message();
    } catch (const cl::EConvertError& e) {
        return e.Message();
    } catch (const cl::Exception& e) {
        return "unexpected error class: " + e.Message();
    }
    return "no error";
}

std::string PackedSkin(const std::string& InflatedStream)
{
    return Packed(3, Deflate(InflatedStream));
}

std::string WithField(std::string Bmp, std::size_t At, std::int32_t Value)
{
    return Bmp.replace(At, 4, Int32(Value));
}

}  // namespace

TEST(SkinFileErrors, NameTheFileAndWhatIsWrong)
{
    TempFolder folder;
    const std::string bmp = MakeBmp(4, 4, 1);
    struct TCase {
        const char* Name;
        std::string Bytes;
        const char* Says;
    };
    const std::vector<TCase> cases = {
        {"empty file", "", "fewer than its header"},
        {"six bytes", Int32(3) + "\x01\x02", "fewer than its header"},
        {"stream without version", Packed(3, Deflate("")), "ends before its version"},
        {"no picture count", PackedSkin(Int32(3) + Absent() + Absent() + Absent()), "ends before its picture count"},
        {"no picture flags", PackedSkin(Int32(3) + Absent()), "ends before its pictures"},
        {"pixels past the end",
         PackedSkin(Inflated(3, {Flagged(WithField(bmp, 10, 0x100000)), Absent(), Absent()}, {}, "")),
         "pixels begin past its end"},
        {"huge colour count",
         PackedSkin(Inflated(3, {Flagged(WithField(bmp, 46, 0x7FFFFFFF)), Absent(), Absent()}, {}, "")),
         "colour table is larger"},
        {"bad rectangle",
         PackedSkin(Inflated(3, {Absent(), Absent(), Absent()}, {}, Lines({"[FORMINFO]", "clientrect=1,2,,4"}))),
         "'' is not a valid integer value"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string message = LoadError(folder, c.Bytes);
        EXPECT_NE(message.find("Broken Skin.skn"), std::string::npos) << message;
        EXPECT_NE(message.find(c.Says), std::string::npos) << message;
        EXPECT_EQ(message.find("Stream read error"), std::string::npos) << message;
    }
}

TEST(SkinFileErrors, AStoredSkinIsNamedByItsLabels)
{
    auto stored = Stored(Int32(3) + Absent());
    TskSkinData data(nullptr);
    stored->Description = "Lagoon";
    try {
        data.LoadCompressedStoredSkin(stored.get());
        ADD_FAILURE() << "no error";
    } catch (const cl::EReadError& e) {
        EXPECT_EQ(e.Message(), "\"Lagoon\": The skin data is damaged: it ends before its pictures");
    }
    stored->SetCompressedFileName("Lagoon.skn");
    try {
        data.LoadCompressedStoredSkin(stored.get());
        ADD_FAILURE() << "no error";
    } catch (const cl::EReadError& e) {
        EXPECT_EQ(e.Message().rfind("\"Lagoon.skn\": ", 0), 0u) << e.Message();
    }
}
