// The form loader: order of creation, property setting, reference resolution and Loaded; the
// binary-property round trip.
#include <gtest/gtest.h>

#include "classlib/classes/FormLoader.h"

using namespace cl;

namespace {

std::vector<std::string>* gLog = nullptr;

std::string Flags(const TComponent* c)
{
    std::string s;
    if (c->ComponentState().Contains(csLoading))
        s += "L";
    if (c->ComponentState().Contains(csReading))
        s += "R";
    return s.empty() ? "-" : s;
}

class TLoadProbe : public TComponent {
public:
    explicit TLoadProbe(TComponent* AOwner) : TComponent(AOwner) { Log("create"); }
    TLoadProbe* Partner = nullptr;
    int Value = 0;
    void SetValue(int v)
    {
        Value = v;
        Log("set " + std::to_string(v) + " " + Flags(this));
    }
    void SetPartner(TLoadProbe* p)
    {
        Partner = p;
        Log("partner " + p->Name() + " " + Flags(this));
    }
    void Loaded() override
    {
        std::string before = Flags(this);
        TComponent::Loaded();
        Log("loaded " + before + "->" + Flags(this));
    }

private:
    void Log(const std::string& what)
    {
        if (gLog)
            gLog->push_back((Name().empty() ? std::string("?") : Name()) + ": " + what);
    }
};

class TForm : public TLoadProbe {
public:
    TLoadProbe* First = nullptr;
    TLoadProbe* Second = nullptr;
    explicit TForm(TComponent* owner) : TLoadProbe(owner)
    {
        SetName("Form");
        TFormLoader load(this);
        SetValue(1);
        First = load.Create<TLoadProbe>("First");
        First->SetValue(2);
        // A forward reference: "Second" does not exist yet.
        load.Reference<TLoadProbe>("Second", [this](TLoadProbe* p) { First->SetPartner(p); });
        Second = load.Create<TLoadProbe>("Second");
        firstFlagsWhileSecondReads = Flags(First);
        Second->SetValue(3);
        load.Reference<TLoadProbe>("First", [this](TLoadProbe* p) { Second->SetPartner(p); });
        load.Finish();
    }
    std::string firstFlagsWhileSecondReads;
};

}  // namespace

TEST(CoreLoader, CreateSetResolveLoadedInOrder)
{
    std::vector<std::string> log;
    gLog = &log;
    TForm* form = new TForm(nullptr);
    gLog = nullptr;
    std::vector<std::string> expected{
        "?: create",
        "Form: set 1 LR",
        "?: create",
        "First: set 2 LR",
        "?: create",
        "Second: set 3 LR",
        // References resolve after everything was read, in recorded order, under csLoading.
        "First: partner Second L",
        "Second: partner First L",
        // Loaded in creation order, the form first; it clears csLoading.
        "Form: loaded L->-",
        "First: loaded L->-",
        "Second: loaded L->-",
    };
    EXPECT_EQ(log, expected);
    EXPECT_EQ(form->firstFlagsWhileSecondReads, "L");  // only the current component reads
    EXPECT_TRUE(form->ComponentState().Empty());
    EXPECT_TRUE(form->First->ComponentState().Empty());
    EXPECT_EQ(form->First->Partner, form->Second);
    EXPECT_EQ(form->Second->Owner(), form);
    EXPECT_EQ(form->Components(0), form->First);
    form->Free();
}

TEST(CoreLoader, ErrorsClearTheFlags)
{
    TComponent root(nullptr);
    TComponent* child = nullptr;
    {
        TFormLoader load(&root);
        child = load.Create<TComponent>("Child");
        load.Reference("Nobody", [](TComponent*) {});
        try {
            load.Finish();
            FAIL();
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), "Unresolved component reference 'Nobody'");
        }
    }
    EXPECT_TRUE(root.ComponentState().Empty());
    EXPECT_TRUE(child->ComponentState().Empty());
    // A wrong type.
    {
        TFormLoader load(&root);
        load.Reference<TLoadProbe>("Child", [](TLoadProbe*) {});
        EXPECT_THROW(load.Finish(), EInvalidCast);
    }
    EXPECT_TRUE(root.ComponentState().Empty());
    // An empty name is no reference; the root finds itself by name.
    root.SetName("Root");
    TComponent* found = nullptr;
    {
        TFormLoader load(&root);
        load.Reference("", [](TComponent*) { FAIL(); });
        load.Reference("root", [&](TComponent* c) { found = c; });
        load.Finish();
    }
    EXPECT_EQ(found, &root);
}

// ---------------------------------------------------------------------------------------------
// Binary properties

namespace {

class TStoredSkin : public TComponent {
public:
    using TComponent::TComponent;
    std::string Data;
    int reads = 0;
    void DefineProperties(TFiler* Filer) override
    {
        TComponent::DefineProperties(Filer);
        Filer->DefineBinaryProperty(
            "CompressedData",
            [this](TStream* s) {
                ++reads;
                Data = s->ReadString(s->Size());
            },
            [this](TStream* s) { s->WriteString(Data); }, true);  // a stored skin always writes it
    }
};

std::string Block(TPersistent* p)
{
    TMemoryStream m;
    WriteBinaryProperties(p, &m);
    return m.DataString();
}

}  // namespace

TEST(CoreLoader, BinaryPropertyWriteThenReadGivesIdenticalBytes)
{
    TStoredSkin skin(nullptr);
    for (int i = 0; i < 70000; ++i)
        skin.Data.push_back(char(i * 7 % 251));
    std::string first = Block(&skin);
    ASSERT_EQ(first.size(), 1 + 14 + 1 + 4 + skin.Data.size() + 1);
    EXPECT_EQ(first.substr(0, 15), std::string("\x0e" "CompressedData"));
    EXPECT_EQ(first[15], '\x0a');
    TStoredSkin copy(nullptr);
    TStringStream in(first);
    ReadBinaryProperties(&copy, &in);
    EXPECT_EQ(copy.Data, skin.Data);
    EXPECT_EQ(in.Position(), in.Size());
    EXPECT_EQ(Block(&copy), first);
    // Empty data is written too and round-trips.
    TStoredSkin empty(nullptr);
    std::string emptyBlock = Block(&empty);
    TStoredSkin emptyCopy(nullptr);
    emptyCopy.Data = "stale";
    TStringStream emptyIn(emptyBlock);
    ReadBinaryProperties(&emptyCopy, &emptyIn);
    EXPECT_EQ(emptyCopy.Data, "");
    EXPECT_EQ(Block(&emptyCopy), emptyBlock);
}

TEST(CoreLoader, TruncatedOrCorruptBlocksRaiseTheReadError)
{
    TStoredSkin skin(nullptr);
    skin.Data = "zlib-bytes";
    std::string block = Block(&skin);
    for (std::size_t cut = 0; cut < block.size(); ++cut) {
        TStoredSkin target(nullptr);
        TStringStream in(block.substr(0, cut));
        EXPECT_THROW(ReadBinaryProperties(&target, &in), EReadError) << cut;
    }
    // A length far beyond the stream.
    std::string huge = block;
    huge[16] = '\xff';
    huge[17] = '\xff';
    huge[18] = '\xff';
    huge[19] = '\x7f';
    TStoredSkin target(nullptr);
    TStringStream hugeIn(huge);
    EXPECT_THROW(ReadBinaryProperties(&target, &hugeIn), EReadError);
    EXPECT_EQ(target.reads, 0);
    // Wrong value type.
    std::string wrongType = block;
    wrongType[15] = '\x06';
    TStringStream wrongIn(wrongType);
    EXPECT_THROW(ReadBinaryProperties(&target, &wrongIn), EReadError);
    // A property nobody defines.
    std::string unknown = block;
    unknown[1] = 'X';
    TStringStream unknownIn(unknown);
    try {
        ReadBinaryProperties(&target, &unknownIn);
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Property XompressedData does not exist");
    }
}

TEST(CoreLoader, BinaryFromRawBytesInsideTheLoader)
{
    TComponent form(nullptr);
    TStoredSkin* skin = nullptr;
    {
        TFormLoader load(&form);
        skin = load.Create<TStoredSkin>("Sirius");
        load.Binary(skin, "compresseddata", std::string("\x78\x9c\x00", 3));
        EXPECT_THROW(load.Binary(skin, "Other", "x"), EReadError);
        load.Finish();
    }
    EXPECT_EQ(skin->Data, std::string("\x78\x9c\x00", 3));
    EXPECT_EQ(skin->reads, 1);
}
