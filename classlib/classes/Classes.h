#pragma once
// The component model, events, streams, string lists, collections and program resources
// (Delphi's Classes).
//
// Ownership: a component created with an owner is freed by it (last created first). Free a
// component yourself with Free(): it leaves its owner, which then does not free it again. A plain
// delete does the same tear-down from the destructor, but by then the derived parts are gone, so
// their Notification and Destroying overrides no longer run for it.
//
// Tear-down of a component, in this order (TComponent::BeforeDestruction, or the destructor
// when the object was deleted directly):
//   1. csDestroying is set on it and on everything it owns (recursively), Destroying();
//   2. the components it owns are freed, last created first; each one, while it goes, notifies
//      this component (its owner), which forwards the notice to all its remaining components;
//   3. its owner gets Notification(this, opRemove), which the owner forwards to all its
//      components (last first), and it leaves the owner's list;
//   4. every FreeNotification partner gets Notification(this, opRemove), last subscribed first.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "classlib/system/SysUtils.h"
#include "classlib/system/System.h"

namespace cl {

class TComponent;
class TComponentRefBase;
class TFiler;
class TStream;

CL_DECLARE_EXCEPTION(EListError, Exception);        // "List index out of bounds (%d)"
CL_DECLARE_EXCEPTION(EStringListError, Exception);  // string-list misuse
CL_DECLARE_EXCEPTION(EComponentError, Exception);   // bad or duplicate component names
CL_DECLARE_EXCEPTION(EInvalidOperation, Exception);

// ---------------------------------------------------------------------------------------------
// Events: a std::function with an optional identity.
//
//   TNotifyEvent e = [](TObject* sender) { ... };        // no identity: equal to nothing else
//   TNotifyEvent m(this, &TMyForm::ButtonClick);         // identity = (object, method)
//   if (OnClick) OnClick(this);
//   if (action->OnExecute == TNotifyEvent(this, &TMyForm::Run)) ...
//
// Two events compare equal when both are empty or both were made from the same object and
// method (Delphi compares method pointers this way; the action link and the skinned
// buttons compare handlers).

template <class Signature>
class TEvent;

template <class R, class... A>
class TEvent<R(A...)> {
public:
    TEvent() = default;
    TEvent(std::nullptr_t) {}

    template <class F, class = std::enable_if_t<!std::is_same_v<std::decay_t<F>, TEvent> &&
                                                !std::is_same_v<std::decay_t<F>, std::nullptr_t> &&
                                                std::is_invocable_r_v<R, F&, A...>>>
    TEvent(F function) : fn_(std::move(function))
    {
    }

    template <class C, class D, class = std::enable_if_t<std::is_base_of_v<D, C>>>
    TEvent(C* object, R (D::*method)(A...))
    {
        D* target = object;
        if (target)
            fn_ = [target, method](A... args) -> R { return (target->*method)(std::forward<A>(args)...); };
        SetIdentity(target, method);
    }

    template <class C, class D, class = std::enable_if_t<std::is_base_of_v<D, C>>>
    TEvent(const C* object, R (D::*method)(A...) const)
    {
        const D* target = object;
        if (target)
            fn_ = [target, method](A... args) -> R { return (target->*method)(std::forward<A>(args)...); };
        SetIdentity(target, method);
    }

    explicit operator bool() const { return static_cast<bool>(fn_); }
    bool Assigned() const { return static_cast<bool>(fn_); }
    // The plain function (the identity is lost).
    operator std::function<R(A...)>() const { return fn_; }
    const std::function<R(A...)>& Function() const { return fn_; }
    R operator()(A... args) const { return fn_(std::forward<A>(args)...); }

    // The object a method event was made from (Delphi's TMethod.Data); nullptr otherwise.
    const void* Object() const { return object_; }
    bool HasIdentity() const { return hasIdentity_; }

    friend bool operator==(const TEvent& a, const TEvent& b)
    {
        if (!a.fn_ && !b.fn_)
            return true;
        if (!a.fn_ || !b.fn_ || !a.hasIdentity_ || !b.hasIdentity_)
            return false;
        return a.object_ == b.object_ && a.methodSize_ == b.methodSize_ &&
               std::char_traits<char>::compare(a.method_, b.method_, a.methodSize_) == 0;
    }
    friend bool operator!=(const TEvent& a, const TEvent& b) { return !(a == b); }
    friend bool operator==(const TEvent& a, std::nullptr_t) { return !a.fn_; }
    friend bool operator!=(const TEvent& a, std::nullptr_t) { return static_cast<bool>(a.fn_); }

private:
    template <class M>
    void SetIdentity(const void* object, M method)
    {
        static_assert(sizeof(M) <= sizeof(method_), "member pointer too large");
        object_ = object;
        methodSize_ = static_cast<unsigned char>(sizeof(M));
        std::char_traits<char>::copy(method_, reinterpret_cast<const char*>(&method), sizeof(M));
        hasIdentity_ = object != nullptr;
    }

    std::function<R(A...)> fn_;
    const void* object_ = nullptr;
    char method_[2 * sizeof(void*) + sizeof(void*)] = {};
    unsigned char methodSize_ = 0;
    bool hasIdentity_ = false;
};

using TNotifyEvent = TEvent<void(TObject* Sender)>;

// Where a text sits across the room it is given.
enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

// ---------------------------------------------------------------------------------------------
// TPersistent

class TPersistent : public TObject {
public:
    // Copies Source into this object; the default asks Source->AssignTo(this) and fails with
    // EConvertError "Cannot assign a <Source class> to a <this class>".
    virtual void Assign(TPersistent* Source);
    // Streaming hook of the form loader: declare binary properties ("CompressedData").
    virtual void DefineProperties(TFiler* Filer) {}
    virtual std::string GetNamePath() const;

protected:
    virtual void AssignTo(TPersistent* Dest);
    virtual TPersistent* GetOwner() const { return nullptr; }
    [[noreturn]] void AssignError(TPersistent* Source);
};

// The form loader's filer: a component declares its binary properties in DefineProperties;
// the reader calls ReadData with a stream holding exactly the stored bytes, the writer calls
// WriteData (when HasData) with a stream to fill.
class TFiler : public TObject {
public:
    using TStreamProc = std::function<void(TStream* Stream)>;
    virtual void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData,
                                      const TStreamProc& WriteData, bool HasData) = 0;
};

// ---------------------------------------------------------------------------------------------
// TComponent

enum TOperation : std::uint8_t { opInsert, opRemove };

enum TComponentStateFlag : std::uint8_t {
    csLoading,           // the form resource is being read (until after Loaded)
    csReading,           // its properties are being set from the resource
    csWriting,
    csDestroying,        // it is being freed
    csDesigning,         // hosted in a form designer: never set in this program
    csAncestor,
    csUpdating,
    csFixups,            // name references wait to be resolved
    csFreeNotification,  // it has free-notification partners
    csInline,
    csDesignInstance
};
using TComponentState = TSet<TComponentStateFlag>;

class TComponent : public TPersistent {
public:
    // A component with an owner is added to the end of the owner's Components (the owner gets
    // Notification(this, opInsert) while only the TComponent part exists).
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    // Raises EComponentError for a name that is no identifier ("'%s' is not a valid component
    // name") or that another component of the same owner has ("A component named %s already
    // exists"; names compare case-insensitively).
    virtual void SetName(const std::string& NewName);
    int Tag() const { return tag_; }
    void SetTag(int Value) { tag_ = Value; }
    TComponentState ComponentState() const { return state_; }

    // Owned components in creation order.
    int ComponentCount() const { return int(components_.size()); }
    TComponent* Components(int Index) const;
    // Position in the owner's list (-1 without owner); SetComponentIndex moves it there.
    int ComponentIndex() const;
    void SetComponentIndex(int Value);
    // Case-insensitive; nullptr for an empty or unknown name.
    TComponent* FindComponent(std::string_view AName) const;
    // Takes AComponent over (from its old owner, if any) and appends it to Components.
    void InsertComponent(TComponent* AComponent);
    // Notifies (opRemove, forwarded to all components) and removes AComponent from the list;
    // the component then has no owner and must be freed by whoever holds it.
    void RemoveComponent(TComponent* AComponent);
    // Frees every owned component, last created first.
    void DestroyComponents();
    // Sets csDestroying on this component and, recursively, on what it owns.
    virtual void Destroying();

    // Mutual: when either of the two is freed, the other gets Notification(it, opRemove).
    // Like Delphi, nothing is recorded when both have the same (non-nil) owner: the owner
    // already forwards the notice.
    void FreeNotification(TComponent* AComponent);
    // Cancels the notice between the two, except while a TComponentRef of either names the
    // other: the reference needs it to hear of the freeing.
    void RemoveFreeNotification(TComponent* AComponent);

    // Called on the owner when a component is added to or removed from its list (and forwarded
    // to all its components), and on every free-notification partner when the other goes.
    // Overrides clear their references and call TComponent::Notification.
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    // Once per component after its form resource was read and references resolved, in
    // creation order; clears csLoading. Overrides call TComponent::Loaded first.
    virtual void Loaded();

    // The component's name (Delphi: a component is known by its name in a form).
    std::string GetNamePath() const override { return name_; }

protected:
    void BeforeDestruction() override;
    TPersistent* GetOwner() const override { return owner_; }
    // For loaders and subclasses that read their own state.
    void SetComponentStateFlag(TComponentStateFlag Flag, bool On);
    friend class TFormLoader;

private:
    void TearDown();
    void RemoveFreeNotifications();
    // One of its TComponentRef members names Target.
    bool RefersTo(const TComponent* Target) const;
    void ValidateRename(TComponent* AComponent, const std::string& CurName, const std::string& NewName) const;

    TComponent* owner_ = nullptr;
    std::string name_;
    int tag_ = 0;
    TComponentState state_;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    // Its TComponentRef members, which share the free notifications with their targets.
    friend class TComponentRefBase;
    std::vector<TComponentRefBase*> refs_;
    bool tornDown_ = false;
};

// ---------------------------------------------------------------------------------------------
// Streams

enum TSeekOrigin : std::uint8_t { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
public:
    // Read up to Count bytes; answers how many were read (0 at the end).
    virtual std::int64_t Read(void* Buffer, std::int64_t Count) = 0;
    virtual std::int64_t Write(const void* Buffer, std::int64_t Count) = 0;
    virtual std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) = 0;

    std::int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(std::int64_t Value) { Seek(Value, soBeginning); }
    virtual std::int64_t Size();
    virtual void SetSize(std::int64_t NewSize);

    // Exactly Count bytes, or EReadError "Stream read error" (the position then stays where
    // the short read left it; nothing is read past the end).
    void ReadBuffer(void* Buffer, std::int64_t Count);
    // Exactly Count bytes, or EWriteError "Stream write error".
    void WriteBuffer(const void* Buffer, std::int64_t Count);
    // Copies Count bytes from Source's position (Count 0: all of Source from its start).
    std::int64_t CopyFrom(TStream* Source, std::int64_t Count);

    // Little-endian fixed-size values through ReadBuffer/WriteBuffer.
    template <class T>
    T ReadValue()
    {
        static_assert(std::is_trivially_copyable_v<T>);
        T value;
        ReadBuffer(&value, sizeof(T));
        return value;
    }
    template <class T>
    void WriteValue(const T& value)
    {
        static_assert(std::is_trivially_copyable_v<T>);
        WriteBuffer(&value, sizeof(T));
    }
    // Count bytes as a string (ReadBuffer rules).
    std::string ReadString(std::int64_t Count);
    void WriteString(std::string_view Text) { WriteBuffer(Text.data(), std::int64_t(Text.size())); }
};

// A stream over memory it does not own (read and seek; writes fail). The base of
// TMemoryStream and the resource stream.
class TCustomMemoryStream : public TStream {
public:
    std::int64_t Read(void* Buffer, std::int64_t Count) override;
    std::int64_t Write(const void* Buffer, std::int64_t Count) override;
    std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
    std::int64_t Size() override { return size_; }
    const void* Memory() const { return memory_; }
    void SaveToStream(TStream* Stream);
    void SaveToFile(const std::string& FileName);

protected:
    void SetPointer(const void* Ptr, std::int64_t Size);
    const std::uint8_t* memory_ = nullptr;
    std::int64_t size_ = 0;
    std::int64_t position_ = 0;
};

class TMemoryStream : public TCustomMemoryStream {
public:
    TMemoryStream() = default;
    std::int64_t Write(const void* Buffer, std::int64_t Count) override;
    void SetSize(std::int64_t NewSize) override;
    // Room held for the contents: growing up to it moves nothing. SetCapacity takes exactly what
    // it is asked (never less than the size), so that a writer that knows its bound holds one
    // block instead of doubling past it; EStreamError when it cannot be had.
    std::int64_t Capacity() const { return std::int64_t(data_.capacity()); }
    void SetCapacity(std::int64_t NewCapacity);
    void Clear();
    void* Memory() { return data_.empty() ? nullptr : data_.data(); }
    const void* Memory() const { return data_.empty() ? nullptr : data_.data(); }
    // Replaces the contents with all of Stream (from its start) / the file; position 0.
    void LoadFromStream(TStream* Stream);
    void LoadFromFile(const std::string& FileName);
    // The contents as bytes (a copy) and a convenience to set them.
    std::string DataString() const { return std::string(data_.begin(), data_.end()); }
    void SetData(std::string_view Bytes);

private:
    void Resize(std::int64_t NewSize);  // EStreamError when the size cannot be held
    void Sync();
    std::vector<std::uint8_t> data_;
};

// A memory stream initialised from a string (Delphi's TStringStream, bytes as they are).
class TStringStream : public TMemoryStream {
public:
    explicit TStringStream(std::string_view Data = {}) { SetData(Data); }
};

// File modes (Delphi's values).
constexpr std::uint16_t fmCreate = 0xFF00;
constexpr std::uint16_t fmOpenRead = 0x0000;
constexpr std::uint16_t fmOpenWrite = 0x0001;
constexpr std::uint16_t fmOpenReadWrite = 0x0002;
constexpr std::uint16_t fmShareCompat = 0x0000;
constexpr std::uint16_t fmShareExclusive = 0x0010;
constexpr std::uint16_t fmShareDenyWrite = 0x0020;
constexpr std::uint16_t fmShareDenyRead = 0x0030;
constexpr std::uint16_t fmShareDenyNone = 0x0040;

// A file opened with CreateFile (Windows) or open(2) (natively).
// EFCreateError "Cannot create file \"%s\". <reason>", EFOpenError "Cannot open file \"%s\". <reason>".
class TFileStream : public TStream {
public:
    TFileStream(const std::string& FileName, std::uint16_t Mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;
    std::int64_t Read(void* Buffer, std::int64_t Count) override;
    std::int64_t Write(const void* Buffer, std::int64_t Count) override;
    std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
    void SetSize(std::int64_t NewSize) override;
    const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
};

// Reads a whole file into a string / writes one, through TFileStream (its errors).
std::string ReadFileBytes(const std::string& FileName);
void WriteFileBytes(const std::string& FileName, std::string_view Bytes);

// Runs Change between Target's BeginUpdate and EndUpdate (a string list or a collection), so
// that its watchers hear of one change; EndUpdate runs also when Change throws.
template <class TUpdatable, class TChange>
void WithinUpdate(TUpdatable& Target, TChange Change)
{
    Target.BeginUpdate();
    try {
        Change();
    } catch (...) {
        Target.EndUpdate();
        throw;
    }
    Target.EndUpdate();
}

// ---------------------------------------------------------------------------------------------
// String lists

class TStrings : public TPersistent {
public:
    // The abstract list (a native list box implements these over its window).
    virtual int Count() const = 0;
    virtual std::string Get(int Index) const = 0;
    virtual void Put(int Index, const std::string& S);
    virtual TObject* GetObjectAt(int Index) const { return nullptr; }
    virtual void PutObjectAt(int Index, TObject* AObject) {}
    virtual void Clear() = 0;
    virtual void Delete(int Index) = 0;
    virtual void Insert(int Index, const std::string& S) = 0;
    virtual void InsertObject(int Index, const std::string& S, TObject* AObject);
    virtual int Add(const std::string& S);
    virtual int AddObject(const std::string& S, TObject* AObject);
    void Append(const std::string& S) { Add(S); }
    virtual void AddStrings(TStrings* Strings);
    virtual void Exchange(int Index1, int Index2);
    virtual void Move(int CurIndex, int NewIndex);

    // Delphi's default property Strings[i] and Objects[i].
    std::string Strings(int Index) const { return Get(Index); }
    void SetStrings(int Index, const std::string& S) { Put(Index, S); }
    std::string operator[](int Index) const { return Get(Index); }
    TObject* Objects(int Index) const { return GetObjectAt(Index); }
    void SetObjects(int Index, TObject* AObject) { PutObjectAt(Index, AObject); }

    // Name=value lines: the name is what precedes the first "=" (case-insensitive matching,
    // nothing trimmed); a line without "=" has no name.
    std::string Names(int Index) const;
    std::string ValueFromIndex(int Index) const;
    void SetValueFromIndex(int Index, const std::string& Value);
    std::string Values(std::string_view Name) const;  // "" when absent
    // Replaces the value of the first line of that name, appends "Name=Value" when there is
    // none; an empty Value deletes the line.
    void SetValues(std::string_view Name, const std::string& Value);

    virtual int IndexOf(std::string_view S) const;
    virtual int IndexOfName(std::string_view Name) const;
    int IndexOfObject(TObject* AObject) const;

    // Lines each followed by CR LF; SetText splits at CR LF, LF or CR (no empty last line for
    // a final break).
    virtual std::string Text() const;
    virtual void SetText(std::string_view Value);
    // Comma/quote delimited form: items with blanks, commas or quotes are quoted with '"'.
    std::string CommaText() const;
    void SetCommaText(std::string_view Value);
    std::string DelimitedText() const;
    void SetDelimitedText(std::string_view Value);
    char Delimiter() const { return delimiter_; }
    void SetDelimiter(char Value) { delimiter_ = Value; }
    char QuoteChar() const { return quoteChar_; }
    void SetQuoteChar(char Value) { quoteChar_ = Value; }

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    void LoadFromFile(const std::string& FileName);
    virtual void LoadFromStream(TStream* Stream);  // from its position to the end
    void SaveToFile(const std::string& FileName) const;
    virtual void SaveToStream(TStream* Stream) const;

    void Assign(TPersistent* Source) override;
    bool Equals(const TStrings* Strings) const;

protected:
    virtual void SetUpdateState(bool Updating) {}
    // Case-insensitive in the code page (Delphi's AnsiCompareText); TStringList may change it.
    virtual int CompareStrings(std::string_view S1, std::string_view S2) const;
    [[noreturn]] void Error(const char* Message, int Data) const;

private:
    int updateCount_ = 0;
    char delimiter_ = ',';
    char quoteChar_ = '"';
};

enum TDuplicates : std::uint8_t { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
public:
    // OwnsObjects: Objects are freed (Free()) when their line is deleted or the list cleared.
    explicit TStringList(bool OwnsObjects = false) : ownsObjects_(OwnsObjects) {}
    ~TStringList() override;
    TStringList(const TStringList&) = delete;
    TStringList& operator=(const TStringList&) = delete;

    int Count() const override { return int(items_.size()); }
    std::string Get(int Index) const override;
    void Put(int Index, const std::string& S) override;     // EStringListError when sorted
    TObject* GetObjectAt(int Index) const override;
    void PutObjectAt(int Index, TObject* AObject) override;
    void Clear() override;
    void Delete(int Index) override;
    void Insert(int Index, const std::string& S) override;  // EStringListError when sorted
    void InsertObject(int Index, const std::string& S, TObject* AObject) override;
    // Sorted: at its sorted place, duplicates by Duplicates (dupIgnore answers the existing
    // index, dupError raises "String list does not allow duplicates").
    int Add(const std::string& S) override;
    int AddObject(const std::string& S, TObject* AObject) override;
    void Exchange(int Index1, int Index2) override;
    int IndexOf(std::string_view S) const override;

    // Binary search of a sorted list: true when found; Index = where it is or would go.
    virtual bool Find(std::string_view S, int& Index) const;
    virtual void Sort();
    void CustomSort(const std::function<int(TStringList* List, int Index1, int Index2)>& Compare);

    bool Sorted() const { return sorted_; }
    void SetSorted(bool Value);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates Value) { duplicates_ = Value; }
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool Value);
    bool OwnsObjects() const { return ownsObjects_; }
    void SetOwnsObjects(bool Value) { ownsObjects_ = Value; }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    virtual void Changed();
    virtual void Changing();
    void SetUpdateState(bool Updating) override;
    int CompareStrings(std::string_view S1, std::string_view S2) const override;

private:
    struct TStringItem {
        std::string S;
        TObject* Object = nullptr;
    };
    void InsertItem(int Index, const std::string& S, TObject* AObject);
    void CheckIndex(int Index) const;

    std::vector<TStringItem> items_;
    bool sorted_ = false;
    bool caseSensitive_ = false;
    bool ownsObjects_ = false;
    TDuplicates duplicates_ = dupIgnore;
};

// ---------------------------------------------------------------------------------------------
// Collections
//
// An item belongs to at most one collection; creating an item with a collection appends it
// (Delphi's ItemClass.Create(Collection)). Freeing an item (Free or delete) removes it.
// Every change calls the collection's virtual Update: Update(item) for a change of one item,
// Update(nullptr) for the whole list (add, remove, move). Between BeginUpdate and EndUpdate
// nothing is reported; the last EndUpdate calls Update(nullptr) once.

class TCollection;

enum TCollectionNotification : std::uint8_t { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
public:
    explicit TCollectionItem(TCollection* Collection);
    ~TCollectionItem() override;
    TCollectionItem(const TCollectionItem&) = delete;
    TCollectionItem& operator=(const TCollectionItem&) = delete;

    TCollection* Collection() const { return collection_; }
    // Moves the item to the end of another collection (nullptr: out of any collection).
    virtual void SetCollection(TCollection* Value);
    // Unique within the collection, counting up from 0 as items are added.
    int ID() const { return id_; }
    int Index() const;
    // Moves the item inside its collection, then Changed(true).
    virtual void SetIndex(int Value);
    virtual std::string DisplayName() const;
    virtual void SetDisplayName(const std::string& Value) { Changed(false); }
    std::string GetNamePath() const override;

protected:
    // Reports a change unless the collection is updating: Update(this), or Update(nullptr)
    // when AllItems.
    void Changed(bool AllItems);
    TPersistent* GetOwner() const override;

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
    int id_ = 0;
};

class TCollection : public TPersistent {
public:
    // Makes a new item of this collection's class for Add/Insert/Assign.
    using TItemFactory = std::function<TCollectionItem*(TCollection* Collection)>;

    explicit TCollection(TItemFactory ItemFactory = nullptr);
    ~TCollection() override;
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;

    int Count() const { return int(items_.size()); }
    TCollectionItem* Items(int Index) const;  // EListError out of range
    // Items(Index)->Assign(Value).
    void SetItem(int Index, TCollectionItem* Value);
    // A new item (from the factory; a plain TCollectionItem without one) at the end.
    TCollectionItem* Add();
    TCollectionItem* Insert(int Index);
    // Notify(cnDeleting), then frees the item.
    void Delete(int Index);
    // Frees all items (last first) inside one BeginUpdate/EndUpdate.
    void Clear();
    TCollectionItem* FindItemID(int ID) const;
    void BeginUpdate();
    virtual void EndUpdate();
    int UpdateCount() const { return updateCount_; }
    // From another collection: clears, then adds an item per source item and assigns it.
    void Assign(TPersistent* Source) override;
    // Typed access for subclasses: Item<TMyItem>(i).
    template <class T>
    T* Item(int Index) const
    {
        return static_cast<T*>(Items(Index));
    }

    // Called on every change (see above); subclasses react here.
    virtual void Update(TCollectionItem* Item) {}

protected:
    virtual void Notify(TCollectionItem* Item, TCollectionNotification Action) {}
    // Update(nullptr) unless updating.
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* Item);
    void RemoveItem(TCollectionItem* Item);

    TItemFactory factory_;
    std::vector<TCollectionItem*> items_;
    int updateCount_ = 0;
    int nextID_ = 0;
};

// A collection with an owner (for GetNamePath and GetOwner).
class TOwnedCollection : public TCollection {
public:
    TOwnedCollection(TPersistent* AOwner, TItemFactory ItemFactory = nullptr)
        : TCollection(std::move(ItemFactory)), owner_(AOwner)
    {
    }
    TPersistent* Owner() const { return owner_; }

protected:
    TPersistent* GetOwner() const override { return owner_; }

private:
    TPersistent* owner_;
};

// ---------------------------------------------------------------------------------------------
// Resources of the program: RCDATA (the stored skins) readable as streams, and resource strings
// by id (the skin engine's interface strings, 65200-65263). Implemented in Resources.cpp.
//
// On Windows they come from the program's module (FindResource/LoadString). A process-wide table
// of registered resources is consulted first in both builds: the native build has no resources
// of its own, and tests can supply data under a resource's name.

CL_DECLARE_EXCEPTION(EResNotFound, Exception);  // "Resource %s not found"

// A resource name or type: a string ("SIRIUS") or an integer id (10 = RCDATA). Names compare
// case-insensitively, as Windows does.
struct TResId {
    std::string Name;
    int Id = -1;
    TResId(int id) : Id(id) {}
    TResId(const char* name) : Name(name ? name : "") {}
    TResId(std::string name) : Name(std::move(name)) {}
    TResId(std::string_view name) : Name(name) {}
    bool IsId() const { return Id >= 0; }
    // "SIRIUS" or "#12" (for messages).
    std::string Text() const;
};

constexpr int rtRCData = 10;  // RT_RCDATA

// A read-only stream over a resource's bytes. EResNotFound "Resource <name> not found".
// Instance: the module (HINSTANCE); nullptr = the program.
class TResourceStream : public TCustomMemoryStream {
public:
    TResourceStream(const TResId& Name, const TResId& Type = TResId(rtRCData), void* Instance = nullptr);

private:
    std::shared_ptr<const std::string> holder_;  // registered bytes, kept alive
};

bool ResourceExists(const TResId& Name, const TResId& Type = TResId(rtRCData), void* Instance = nullptr);
// A copy of the resource's bytes (EResNotFound).
std::string ResourceBytes(const TResId& Name, const TResId& Type = TResId(rtRCData), void* Instance = nullptr);

// Registers (or replaces) a resource of the process-wide table; Data is copied.
void RegisterResource(const TResId& Name, const TResId& Type, std::string_view Data);
void UnregisterResource(const TResId& Name, const TResId& Type);

// The string resource Id ("" when there is none).
std::string LoadStr(int Id);
void RegisterResourceString(int Id, std::string_view Text);
void UnregisterResourceString(int Id);

}  // namespace cl
