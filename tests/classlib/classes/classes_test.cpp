// Classes: component ownership and notification order, events, streams, string lists,
// collections.
#include <gtest/gtest.h>

#include <cstdio>

#include "classlib/classes/Classes.h"

using namespace cl;

namespace {

std::vector<std::string>* gLog = nullptr;

void Log(const std::string& line)
{
    if (gLog)
        gLog->push_back(line);
}

class TProbe : public TComponent {
public:
    using TComponent::TComponent;
    TComponent* Ref = nullptr;
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        if (Operation == opRemove)
            Log(Name() + " told " + AComponent->Name() + " goes" +
                (ComponentState().Contains(csDestroying) ? " (destroying)" : ""));
        else
            Log(Name() + " told " + "insert");
        if (Operation == opRemove && AComponent == Ref)
            Ref = nullptr;
        TComponent::Notification(AComponent, Operation);
    }
    void Destroying() override
    {
        Log(Name() + " destroying");
        TComponent::Destroying();
    }
    ~TProbe() override { Log(Name() + " destructor"); }
};

TProbe* Make(TComponent* owner, const std::string& name)
{
    auto* p = new TProbe(owner);
    p->SetName(name);
    return p;
}

struct LogScope {
    std::vector<std::string> lines;
    LogScope() { gLog = &lines; }
    ~LogScope() { gLog = nullptr; }
};

}  // namespace

TEST(CoreComponents, ComponentsInCreationOrderAndFindComponent)
{
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    a->SetName("Alpha");
    auto* b = new TComponent(&owner);
    b->SetName("Beta");
    ASSERT_EQ(owner.ComponentCount(), 2);
    EXPECT_EQ(owner.Components(0), a);
    EXPECT_EQ(owner.Components(1), b);
    EXPECT_EQ(b->ComponentIndex(), 1);
    EXPECT_EQ(owner.FindComponent("alpha"), a);
    EXPECT_EQ(owner.FindComponent("BETA"), b);
    EXPECT_EQ(owner.FindComponent(""), nullptr);
    EXPECT_EQ(owner.FindComponent("Gamma"), nullptr);
    EXPECT_EQ(a->Owner(), &owner);
    EXPECT_THROW(owner.Components(2), EListError);
    b->SetComponentIndex(0);
    EXPECT_EQ(owner.Components(0), b);
    a->SetTag(7);
    EXPECT_EQ(a->Tag(), 7);
}

TEST(CoreComponents, NamesAreValidatedAndUniquePerOwner)
{
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    a->SetName("Button1");
    auto* b = new TComponent(&owner);
    try {
        b->SetName("BUTTON1");
        FAIL();
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message(), "A component named BUTTON1 already exists");
    }
    try {
        b->SetName("1st");
        FAIL();
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message(), "'1st' is not a valid component name");
    }
    EXPECT_THROW(b->SetName("a b"), EComponentError);
    EXPECT_NO_THROW(a->SetName("button1"));  // renaming itself with another case is fine
    EXPECT_NO_THROW(b->SetName("_ok2"));
    EXPECT_NO_THROW(b->SetName(""));
    // Another owner may use the name.
    TComponent other(nullptr);
    auto* c = new TComponent(&other);
    EXPECT_NO_THROW(c->SetName("button1"));
    // Moving it into the first owner clashes.
    EXPECT_THROW(owner.InsertComponent(c), EComponentError);
    EXPECT_EQ(c->Owner(), &other);
}

TEST(CoreComponents, OwnerFreesLastFirstAndEveryoneIsTold)
{
    LogScope scope;
    TProbe* form = Make(nullptr, "Form");
    TProbe* a = Make(form, "A");
    TProbe* b = Make(form, "B");
    TProbe* outside = Make(nullptr, "Outside");
    outside->Ref = b;
    b->FreeNotification(outside);
    a->Ref = b;  // same owner: told through the owner
    scope.lines.clear();
    form->Free();
    std::vector<std::string> expected{
        "Form destroying",
        "A destroying",
        "B destroying",
        // B (created last) goes first: the owner is told and forwards to its components
        // (last first), then B's free-notification partner.
        "Form told B goes (destroying)",
        "B told B goes (destroying)",
        "A told B goes (destroying)",
        "Outside told B goes",
        "B destructor",
        "Form told A goes (destroying)",
        "A told A goes (destroying)",
        "A destructor",
        "Form destructor",
    };
    EXPECT_EQ(scope.lines, expected);
    EXPECT_EQ(outside->Ref, nullptr);
    outside->Free();
}

TEST(CoreComponents, FreeOfAnOwnedComponentTellsOwnerSiblingsAndPartners)
{
    LogScope scope;
    TProbe* form = Make(nullptr, "Form");
    TProbe* a = Make(form, "A");
    TProbe* b = Make(form, "B");
    TProbe* other = Make(nullptr, "Other");
    a->FreeNotification(other);
    scope.lines.clear();
    a->Free();
    std::vector<std::string> expected{
        "A destroying",
        "Form told A goes",
        "B told A goes",
        "A told A goes (destroying)",
        "Other told A goes",
        "A destructor",
    };
    EXPECT_EQ(scope.lines, expected);
    ASSERT_EQ(form->ComponentCount(), 1);
    EXPECT_EQ(form->Components(0), b);
    // The owner does not free it twice.
    scope.lines.clear();
    form->Free();
    EXPECT_EQ(std::count(scope.lines.begin(), scope.lines.end(), "A destructor"), 0);
    other->Free();
}

TEST(CoreComponents, FreeNotificationIsMutualAndRemovable)
{
    LogScope scope;
    TProbe* x = Make(nullptr, "X");
    TProbe* y = Make(nullptr, "Y");
    TProbe* z = Make(nullptr, "Z");
    x->FreeNotification(y);
    x->FreeNotification(y);  // once only
    x->FreeNotification(z);
    EXPECT_TRUE(x->ComponentState().Contains(csFreeNotification));
    x->RemoveFreeNotification(z);
    scope.lines.clear();
    y->Free();  // mutual: x hears about y
    EXPECT_EQ(scope.lines, (std::vector<std::string>{"Y destroying", "X told Y goes", "Y destructor"}));
    EXPECT_FALSE(x->ComponentState().Contains(csFreeNotification));
    scope.lines.clear();
    x->Free();  // nobody left to tell
    EXPECT_EQ(scope.lines, (std::vector<std::string>{"X destroying", "X destructor"}));
    z->Free();
}

TEST(CoreComponents, DeleteWorksLikeFreeWithoutTheDerivedParts)
{
    LogScope scope;
    TProbe* form = Make(nullptr, "Form");
    Make(form, "A");
    TProbe* outside = Make(nullptr, "Outside");
    TProbe* b = Make(form, "B");
    b->FreeNotification(outside);
    outside->Ref = b;
    scope.lines.clear();
    delete form;  // the TProbe part is gone before TComponent tears down
    EXPECT_EQ(scope.lines.front(), "Form destructor");
    EXPECT_EQ(outside->Ref, nullptr);
    EXPECT_NE(std::find(scope.lines.begin(), scope.lines.end(), "A destructor"), scope.lines.end());
    delete outside;
}

TEST(CoreComponents, InsertAndRemoveComponent)
{
    LogScope scope;
    TProbe* first = Make(nullptr, "First");
    TProbe* second = Make(nullptr, "Second");
    TProbe* c = Make(first, "C");
    // The owner hears of it while only the TComponent part of C exists.
    EXPECT_EQ(scope.lines.back(), "First told insert");
    scope.lines.clear();
    second->InsertComponent(c);  // moves it over
    EXPECT_EQ(c->Owner(), second);
    EXPECT_EQ(first->ComponentCount(), 0);
    EXPECT_EQ(second->ComponentCount(), 1);
    EXPECT_EQ(scope.lines.front(), "First told C goes");
    EXPECT_THROW(c->InsertComponent(second), EComponentError);  // no ownership cycles
    EXPECT_THROW(c->InsertComponent(c), EComponentError);
    second->RemoveComponent(c);
    EXPECT_EQ(c->Owner(), nullptr);
    EXPECT_EQ(second->ComponentCount(), 0);
    c->Free();
    first->Free();
    second->Free();
}

TEST(CoreComponents, DestroyComponentsAndFreeAndNil)
{
    TComponent owner(nullptr);
    new TComponent(&owner);
    new TComponent(&owner);
    owner.DestroyComponents();
    EXPECT_EQ(owner.ComponentCount(), 0);
    TComponent* loose = new TComponent(&owner);
    FreeAndNil(loose);
    EXPECT_EQ(loose, nullptr);
    EXPECT_EQ(owner.ComponentCount(), 0);
    FreeAndNil(loose);  // nullptr is fine
}

TEST(CoreComponents, ComponentStateFlags)
{
    TComponent c(nullptr);
    EXPECT_TRUE(c.ComponentState().Empty());
    EXPECT_FALSE(c.ComponentState().Contains(csDesigning));
}

namespace {
struct THandlerOwner : TObject {
    int calls = 0;
    void Click(TObject*) { ++calls; }
    void Other(TObject*) {}
};
}  // namespace

TEST(CoreEvents, HandlersCompareByObjectAndMethod)
{
    THandlerOwner one, two;
    TNotifyEvent a(&one, &THandlerOwner::Click);
    TNotifyEvent b(&one, &THandlerOwner::Click);
    TNotifyEvent c(&two, &THandlerOwner::Click);
    TNotifyEvent d(&one, &THandlerOwner::Other);
    EXPECT_TRUE(a == b);
    EXPECT_FALSE(a == c);
    EXPECT_FALSE(a == d);
    EXPECT_EQ(a.Object(), &one);
    a(nullptr);
    b(nullptr);
    EXPECT_EQ(one.calls, 2);
    TNotifyEvent empty, alsoEmpty = nullptr;
    EXPECT_TRUE(empty == alsoEmpty);
    EXPECT_FALSE(empty);
    EXPECT_TRUE(empty == nullptr);
    int hits = 0;
    TNotifyEvent lambda = [&](TObject*) { ++hits; };
    TNotifyEvent copy = lambda;
    EXPECT_TRUE(lambda);
    EXPECT_FALSE(lambda == copy);  // no identity: equal to nothing but "empty"
    EXPECT_FALSE(lambda == a);
    copy(nullptr);
    EXPECT_EQ(hits, 1);
    TEvent<void(TObject*, int&)> byRef = [](TObject*, int& key) { key = 0; };
    int key = 13;
    byRef(nullptr, key);
    EXPECT_EQ(key, 0);
}

// ---------------------------------------------------------------------------------------------
// Streams

TEST(CoreStreams, MemoryStreamReadWriteSeek)
{
    TMemoryStream s;
    s.WriteString("hello");
    EXPECT_EQ(s.Size(), 5);
    EXPECT_EQ(s.Position(), 5);
    s.SetPosition(1);
    char buf[8] = {};
    EXPECT_EQ(s.Read(buf, 100), 4);
    EXPECT_STREQ(buf, "ello");
    EXPECT_EQ(s.Read(buf, 1), 0);
    s.Seek(-2, soEnd);
    EXPECT_EQ(s.ReadString(2), "lo");
    s.SetPosition(10);  // past the end: reads nothing, writes extend
    EXPECT_EQ(s.Read(buf, 1), 0);
    s.SetSize(3);
    EXPECT_EQ(s.DataString(), "hel");
    EXPECT_EQ(s.Position(), 3);
    s.WriteValue<std::uint32_t>(0x04030201);
    s.SetPosition(3);
    EXPECT_EQ(s.ReadValue<std::uint32_t>(), 0x04030201u);
    s.Clear();
    EXPECT_EQ(s.Size(), 0);
    EXPECT_EQ(s.Memory(), nullptr);
}

TEST(CoreStreams, ReadBufferRaisesInsteadOfReadingPastTheEnd)
{
    TStringStream s("abc");
    char buf[8] = {};
    try {
        s.ReadBuffer(buf, 4);
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Stream read error");
    }
    s.SetPosition(0);
    EXPECT_NO_THROW(s.ReadBuffer(buf, 3));
    EXPECT_THROW(s.ReadValue<std::uint8_t>(), EReadError);
    EXPECT_THROW(s.ReadBuffer(buf, -1), EReadError);
    s.SetPosition(0);
    // A corrupt huge length neither allocates nor reads.
    EXPECT_THROW(s.ReadString(std::int64_t(1) << 40), EReadError);
    EXPECT_EQ(s.Position(), 0);
}

TEST(CoreStreams, SizesBeyondTheAddressSpaceAreTheStreamsError)
{
    // Only where the limit is reachable without allocating: the 32-bit program.
    if (sizeof(void*) != 4)
        GTEST_SKIP() << "64-bit host";
    TMemoryStream s;
    try {
        s.SetSize(std::int64_t(1) << 40);
        FAIL();
    } catch (const EStreamError& e) {
        EXPECT_EQ(e.Message(), "Out of memory while expanding memory stream");
    }
    s.SetPosition(std::int64_t(1) << 40);
    EXPECT_THROW(s.WriteBuffer("x", 1), EStreamError);
    EXPECT_EQ(s.Size(), 0);
}

TEST(CoreStreams, CopyFromAndReadOnlyMemory)
{
    TStringStream source("0123456789");
    TMemoryStream target;
    EXPECT_EQ(target.CopyFrom(&source, 0), 10);
    EXPECT_EQ(target.DataString(), "0123456789");
    source.SetPosition(8);
    EXPECT_THROW(target.CopyFrom(&source, 5), EReadError);
}

namespace {
std::string TempPath(const std::string& name)
{
#ifdef _WIN32
    return GetEnvVar("TEMP").empty() ? name : IncludeTrailingPathDelimiter(GetEnvVar("TEMP")) + name;
#else
    return "/tmp/" + name;
#endif
}
}  // namespace

TEST(CoreStreams, FileStreamRoundTripAndErrors)
{
    std::string path = TempPath("trebanix-core-stream.bin");
    {
        TFileStream f(path, fmCreate);
        f.WriteString("abc");
        f.WriteValue<std::uint16_t>(0x4241);
        EXPECT_EQ(f.Size(), 5);
    }
    EXPECT_TRUE(FileExists(path));
    {
        TFileStream f(path, fmOpenRead | fmShareDenyWrite);
        EXPECT_EQ(f.ReadString(5), "abcAB");
        char c;
        EXPECT_THROW(f.ReadBuffer(&c, 1), EReadError);
        f.SetPosition(1);
        EXPECT_EQ(f.ReadString(1), "b");
    }
    {
        TFileStream f(path, fmOpenReadWrite);
        f.Seek(0, soEnd);
        f.WriteString("!");
        f.SetSize(2);
    }
    EXPECT_EQ(ReadFileBytes(path), "ab");
    WriteFileBytes(path, "xyz");
    TMemoryStream m;
    m.LoadFromFile(path);
    EXPECT_EQ(m.DataString(), "xyz");
    EXPECT_TRUE(RemoveFile(path));
    try {
        TFileStream missing(path, fmOpenRead);
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message().rfind("Cannot open file \"" + path + "\". ", 0), 0u) << e.Message();
        EXPECT_TRUE(e.InheritsFrom("EStreamError"));
    }
    EXPECT_THROW(TFileStream(TempPath("no-such-dir/x/y.bin"), fmCreate), EFCreateError);
    // A folder is not a readable file.
    EXPECT_THROW(TFileStream(ExcludeTrailingPathDelimiter(ExeFolder()), fmOpenRead), EFOpenError);
    EXPECT_THROW(ReadFileBytes(path), EFOpenError);
}

#ifdef _WIN32
TEST(CoreStreams, AFileLockedByAnotherOpenIsAnOpenError)
{
    std::string path = TempPath("trebanix-core-locked.txt");
    WriteFileBytes(path, "[a]\r\nb=1\r\n");
    {
        TFileStream holder(path, fmOpenReadWrite | fmShareExclusive);
        EXPECT_THROW(TFileStream(path, fmOpenRead | fmShareDenyNone), EFOpenError);
        TStringList lines;
        EXPECT_THROW(lines.LoadFromFile(path), EFOpenError);
    }
    TStringList lines;
    lines.LoadFromFile(path);
    EXPECT_EQ(lines.Count(), 2);
    RemoveFile(path);
}
#endif

// ---------------------------------------------------------------------------------------------
// String lists

TEST(CoreStrings, TextIsCrLfAndSplitsAtAnyBreak)
{
    TStringList l;
    l.SetText("one\r\ntwo\nthree\rfour");
    ASSERT_EQ(l.Count(), 4);
    EXPECT_EQ(l[3], "four");
    EXPECT_EQ(l.Text(), "one\r\ntwo\r\nthree\r\nfour\r\n");
    l.SetText("a\r\n\r\nb\r\n");
    EXPECT_EQ(l.Count(), 3);  // the empty middle line stays, no empty last line
    EXPECT_EQ(l[1], "");
    l.SetText("");
    EXPECT_EQ(l.Count(), 0);
    EXPECT_EQ(l.Text(), "");
}

TEST(CoreStrings, NamesAndValuesAtTheFirstEquals)
{
    TStringList l;
    l.SetText("Key = 1\r\nname=Two=2\nplain\r\n=empty name\r\nNAME=second\r\n");
    EXPECT_EQ(l.Count(), 5);
    EXPECT_EQ(l.Names(0), "Key ");
    EXPECT_EQ(l.Names(1), "name");
    EXPECT_EQ(l.Names(2), "");
    EXPECT_EQ(l.ValueFromIndex(1), "Two=2");
    EXPECT_EQ(l.Values("NAME"), "Two=2");  // case-insensitive, first match
    EXPECT_EQ(l.IndexOfName("key "), 0);
    EXPECT_EQ(l.IndexOfName("key"), -1);  // nothing is trimmed
    EXPECT_EQ(l.IndexOfName("plain"), -1);
    EXPECT_EQ(l.Values("missing"), "");
    l.SetValues("Name", "3");
    EXPECT_EQ(l[1], "Name=3");
    l.SetValues("new", "x");
    EXPECT_EQ(l[l.Count() - 1], "new=x");
    l.SetValues("new", "");
    EXPECT_EQ(l.IndexOfName("new"), -1);
    EXPECT_EQ(l.IndexOf("PLAIN"), 2);
}

TEST(CoreStrings, ObjectsTravelWithTheirLines)
{
    TStringList l;
    TObject a, b;
    l.AddObject("a", &a);
    l.AddObject("b", &b);
    l.Exchange(0, 1);
    EXPECT_EQ(l.Objects(0), &b);
    EXPECT_EQ(l.IndexOfObject(&a), 1);
    l.Move(0, 1);
    EXPECT_EQ(l[1], "b");
    EXPECT_EQ(l.Objects(1), &b);
    l.SetObjects(0, nullptr);
    EXPECT_EQ(l.Objects(0), nullptr);
    l.Delete(0);
    EXPECT_EQ(l.Count(), 1);
    EXPECT_THROW(l.Get(5), EStringListError);
    try {
        l.Delete(-1);
        FAIL();
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (-1)");
    }
}

TEST(CoreStrings, SortedListsAndDuplicates)
{
    TStringList l;
    l.Add("pear");
    l.Add("Apple");
    l.Add("fig");
    l.SetSorted(true);
    EXPECT_EQ(l.CommaText(), "Apple,fig,pear");
    EXPECT_EQ(l.Add("banana"), 1);
    EXPECT_EQ(l.Add("APPLE"), 0);  // dupIgnore: the existing index, nothing added
    EXPECT_EQ(l.Count(), 4);
    int index = -1;
    EXPECT_TRUE(l.Find("FIG", index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(l.Find("grape", index));
    EXPECT_EQ(index, 3);
    EXPECT_EQ(l.IndexOf("PEAR"), 3);
    EXPECT_THROW(l.Insert(0, "x"), EStringListError);
    EXPECT_THROW(l.Put(0, "x"), EStringListError);
    l.SetDuplicates(dupError);
    try {
        l.Add("fig");
        FAIL();
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), "String list does not allow duplicates");
    }
    l.SetDuplicates(dupAccept);
    l.Add("fig");
    EXPECT_EQ(l.Count(), 5);
    l.SetCaseSensitive(true);
    EXPECT_EQ(l.IndexOf("FIG"), -1);
}

TEST(CoreStrings, ChangeEventsAndUpdates)
{
    TStringList l;
    int changes = 0, changing = 0;
    l.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &l);
        ++changes;
    };
    l.OnChanging = [&](TObject*) { ++changing; };
    l.Add("a");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(changing, 1);
    l.BeginUpdate();
    l.Add("b");
    l.Add("c");
    l.Delete(0);
    EXPECT_EQ(changes, 1);
    l.EndUpdate();
    EXPECT_EQ(changes, 2);
    l.SetText("x\r\ny");
    EXPECT_EQ(changes, 3);
}

TEST(CoreStrings, LoadSaveAssignAndDelimited)
{
    std::string path = TempPath("trebanix-core-strings.txt");
    TStringList l;
    l.Add("first");
    l.Add("second line");
    l.SaveToFile(path);
    EXPECT_EQ(ReadFileBytes(path), "first\r\nsecond line\r\n");
    TStringList back;
    back.LoadFromFile(path);
    EXPECT_TRUE(back.Equals(&l));
    RemoveFile(path);
    EXPECT_THROW(back.LoadFromFile(path), EFOpenError);
    EXPECT_EQ(back.Count(), 2);  // unchanged by the failed load
    TStringList copy;
    copy.Assign(&l);
    EXPECT_TRUE(copy.Equals(&l));
    EXPECT_EQ(l.CommaText(), "first,\"second line\"");
    copy.SetCommaText("a, \"b c\",\"d\"\"e\",");
    ASSERT_EQ(copy.Count(), 4);
    EXPECT_EQ(copy[1], "b c");
    EXPECT_EQ(copy[2], "d\"e");
    EXPECT_EQ(copy[3], "");
    copy.SetDelimiter(';');
    copy.SetDelimitedText("x;y");
    EXPECT_EQ(copy.Count(), 2);
    TComponent notAList(nullptr);
    try {
        copy.Assign(&notAList);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a TComponent to a TStringList");
    }
}

TEST(CoreStrings, OwnsObjectsFreesThem)
{
    struct TCounted : TObject {
        int* count;
        explicit TCounted(int* c) : count(c) {}
        ~TCounted() override { ++*count; }
    };
    int freed = 0;
    {
        TStringList l(true);
        l.AddObject("a", new TCounted(&freed));
        l.AddObject("b", new TCounted(&freed));
        l.AddObject("c", new TCounted(&freed));
        l.Delete(0);
        EXPECT_EQ(freed, 1);
        l.Clear();
        EXPECT_EQ(freed, 3);
        l.AddObject("d", new TCounted(&freed));
    }
    EXPECT_EQ(freed, 4);
}

// ---------------------------------------------------------------------------------------------
// Collections

namespace {

class TNamedItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    std::string Text;
    void SetText(const std::string& value)
    {
        Text = value;
        Changed(false);
    }
    void Assign(TPersistent* Source) override
    {
        if (auto* other = dynamic_cast<TNamedItem*>(Source)) {
            Text = other->Text;
            Changed(false);
            return;
        }
        TCollectionItem::Assign(Source);
    }
};

class TRecordingCollection : public TCollection {
public:
    TRecordingCollection() : TCollection([](TCollection* c) { return new TNamedItem(c); }) {}
    std::vector<std::string> log;
    void Update(TCollectionItem* Item) override
    {
        log.push_back(Item ? "update " + static_cast<TNamedItem*>(Item)->Text : "update all");
    }

protected:
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override
    {
        static const char* names[] = {"added", "extracting", "deleting"};
        log.push_back(names[Action]);
    }
};

}  // namespace

TEST(CoreCollections, AddDeleteAndUpdates)
{
    TRecordingCollection c;
    auto* a = static_cast<TNamedItem*>(c.Add());
    EXPECT_EQ(c.log, (std::vector<std::string>{"added", "update all"}));
    a->SetText("a");
    EXPECT_EQ(c.log.back(), "update a");
    auto* b = c.Item<TNamedItem>(c.Add()->Index());
    b->SetText("b");
    EXPECT_EQ(a->ID(), 0);
    EXPECT_EQ(b->ID(), 1);
    EXPECT_EQ(c.FindItemID(1), b);
    EXPECT_EQ(c.FindItemID(9), nullptr);
    c.log.clear();
    c.Delete(0);
    EXPECT_EQ(c.log, (std::vector<std::string>{"deleting", "extracting", "update all"}));
    EXPECT_EQ(c.Count(), 1);
    EXPECT_EQ(b->Index(), 0);
    EXPECT_THROW(c.Items(1), EListError);
    auto* inserted = c.Insert(0);
    EXPECT_EQ(inserted->Index(), 0);
    EXPECT_EQ(inserted->ID(), 2);  // IDs are never reused
}

TEST(CoreCollections, BeginEndUpdateGivesOneUpdateAtTheEnd)
{
    TRecordingCollection c;
    c.BeginUpdate();
    c.BeginUpdate();
    for (int i = 0; i < 3; ++i)
        static_cast<TNamedItem*>(c.Add())->SetText(std::to_string(i));
    c.Items(2)->SetIndex(0);
    c.EndUpdate();
    EXPECT_EQ(std::count(c.log.begin(), c.log.end(), "update all"), 0);
    c.EndUpdate();
    EXPECT_EQ(std::count(c.log.begin(), c.log.end(), "update all"), 1);
    EXPECT_EQ(c.log.back(), "update all");
    EXPECT_EQ(std::count_if(c.log.begin(), c.log.end(), [](const std::string& s) { return s.rfind("update ", 0) == 0; }),
              1);
    EXPECT_EQ(c.Item<TNamedItem>(0)->Text, "2");
    c.log.clear();
    c.Clear();
    EXPECT_EQ(c.Count(), 0);
    EXPECT_EQ(std::count(c.log.begin(), c.log.end(), "update all"), 1);
}

TEST(CoreCollections, MovingItemsBetweenCollections)
{
    TRecordingCollection from, to;
    auto* a = static_cast<TNamedItem*>(from.Add());
    a->SetText("a");
    static_cast<TNamedItem*>(to.Add())->SetText("x");
    from.log.clear();
    to.log.clear();
    a->SetCollection(&to);
    EXPECT_EQ(a->Collection(), &to);
    EXPECT_EQ(from.Count(), 0);
    EXPECT_EQ(to.Count(), 2);
    EXPECT_EQ(a->Index(), 1);
    EXPECT_EQ(from.log, (std::vector<std::string>{"extracting", "update all"}));
    EXPECT_EQ(to.log, (std::vector<std::string>{"added", "update all"}));
    a->SetCollection(nullptr);
    EXPECT_EQ(to.Count(), 1);
    EXPECT_EQ(a->Index(), -1);
    a->Free();  // not in a collection: nobody else frees it
}

TEST(CoreCollections, AssignCopiesItems)
{
    TRecordingCollection source, target;
    static_cast<TNamedItem*>(source.Add())->SetText("one");
    static_cast<TNamedItem*>(source.Add())->SetText("two");
    static_cast<TNamedItem*>(target.Add())->SetText("old");
    target.log.clear();
    target.Assign(&source);
    ASSERT_EQ(target.Count(), 2);
    EXPECT_EQ(target.Item<TNamedItem>(1)->Text, "two");
    EXPECT_EQ(std::count(target.log.begin(), target.log.end(), "update all"), 1);
    // A plain collection item cannot be assigned.
    TCollection plain;
    plain.Add();
    TCollection other;
    EXPECT_THROW(other.Assign(&plain), EConvertError);
}
