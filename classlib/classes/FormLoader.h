#pragma once
// Form resources as code. A form's InitComponents() creates its components in resource order
// inside a TFormLoader scope and sets their properties; the loader brackets this exactly as the
// class library's form reader does:
//
//   TFormLoader load(this);                         // the form: csLoading|csReading
//   load.Properties(this);                          // (optional) the form's own values ...
//   SetCaption("Radio");
//   Timer1 = load.Create<TTimer>("Timer1");         // owned by the form, named,
//   Timer1->SetInterval(1000);                      //   csLoading|csReading while set
//   Frame = load.Create<TskForm>("Frame");
//   load.Reference<TskSkinData>("SkinData1", [this](TskSkinData* d) { Frame->SetSkinData(d); });
//   load.Binary(Skin1, "CompressedData", ResourceBytes("SKIN_SIRIUS"));
//   load.Finish();
//
// Finish(), in this order:
//   1. csReading is cleared on every loaded component (a component's csReading is already
//      cleared when the next one is created: only its own properties are read under it);
//   2. name references are resolved in the order they were recorded (setters run with
//      csLoading still set); an unknown name raises EReadError;
//   3. Loaded() on every component in creation order, the root (form) first;
//   4. any csLoading/csReading left (a Loaded override that skipped the base) is cleared.
// If the scope ends without Finish() (an exception), the flags are cleared and Loaded is not
// called.
//
// Binary properties (TPersistent::DefineProperties / TFiler::DefineBinaryProperty) are stored in
// a "property block": for each property with data, a length-prefixed name (1 byte + bytes),
// the value type 0x0A (binary), the data length (4 bytes, little endian) and the data; a zero
// byte ends the block. WriteBinaryProperties followed by ReadBinaryProperties gives the same
// bytes to ReadData as WriteData produced, and writing again gives an identical block.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/classes/Classes.h"

namespace cl {

class TFormLoader {
public:
    explicit TFormLoader(TComponent* Root);
    ~TFormLoader();
    TFormLoader(const TFormLoader&) = delete;
    TFormLoader& operator=(const TFormLoader&) = delete;

    TComponent* Root() const { return root_; }

    // Creates T(owner = Root, args...), names it, puts it under csLoading|csReading and records
    // it for Loaded. Ends the reading of the previous component.
    template <class T, class... Args>
    T* Create(const std::string& Name, Args&&... args)
    {
        return CreateOwned<T>(root_, Name, std::forward<Args>(args)...);
    }
    // The same with another owner (components owned by a frame or by a component of the form).
    template <class T, class... Args>
    T* CreateOwned(TComponent* Owner, const std::string& Name, Args&&... args)
    {
        EndReading();
        T* component = new T(Owner, std::forward<Args>(args)...);
        Adopt(component, Name);
        return component;
    }
    // Records a component made elsewhere (already owned) as the next one of the resource.
    void Add(TComponent* Component, const std::string& Name = {});
    // Puts Component (the root, or one already added) back under csReading for more values.
    void Properties(TComponent* Component);

    // A reference by name, resolved in Finish(): Setter gets the component (Root's own name
    // also finds Root). An empty name is no reference (the setter is not called).
    void Reference(const std::string& Name, std::function<void(TComponent*)> Setter);
    // Typed: raises EInvalidCast when the named component is not a T.
    template <class T>
    void Reference(const std::string& Name, std::function<void(T*)> Setter)
    {
        Reference(Name, [Setter = std::move(Setter)](TComponent* c) { Setter(As<T>(c)); });
    }
    // How names are looked up (default: Root's name, then Root->FindComponent).
    void SetResolver(std::function<TComponent*(const std::string& Name)> Resolver) { resolver_ = std::move(Resolver); }

    // Feeds one binary property of Component from raw bytes (a stored skin's zlib stream):
    // its DefineProperties is asked for Name and ReadData gets a stream holding exactly Data at
    // position 0. EReadError "Property <Name> does not exist" when nothing reads it.
    void Binary(TPersistent* Component, const std::string& Name, std::string_view Data);
    void Binary(TPersistent* Component, const std::string& Name, TStream* Data);

    // Resolves, calls Loaded, clears the flags (see above). Called once.
    void Finish();

    // The components recorded so far, in order (the root first).
    const std::vector<TComponent*>& Components() const { return loaded_; }

private:
    void Adopt(TComponent* Component, const std::string& Name);
    void EndReading();
    void ClearFlags();
    TComponent* Resolve(const std::string& Name) const;

    struct TFixup {
        std::string Name;
        std::function<void(TComponent*)> Setter;
    };
    TComponent* root_;
    TComponent* reading_ = nullptr;  // the component whose properties are being set
    std::vector<TComponent*> loaded_;
    std::vector<TFixup> fixups_;
    std::function<TComponent*(const std::string&)> resolver_;
    bool finished_ = false;
};

// Writes every binary property of Instance that has data (see the block format above).
void WriteBinaryProperties(TPersistent* Instance, TStream* Stream);
// Reads a property block written by WriteBinaryProperties into Instance. A truncated block, a
// wrong value type, a length beyond the stream or a property Instance does not define raises
// EReadError; nothing is read past the stream.
void ReadBinaryProperties(TPersistent* Instance, TStream* Stream);

// The filers behind the functions above (for components that stream themselves).
class TBinaryWriter : public TFiler {
public:
    explicit TBinaryWriter(TStream* Stream) : stream_(Stream) {}
    void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                              bool HasData) override;
    // The zero byte that ends a block.
    void WriteEnd();

private:
    TStream* stream_;
};

class TBinaryReader : public TFiler {
public:
    // Offers Data (positioned at 0) to the definition named PropName.
    TBinaryReader(std::string PropName, TStream* Data) : propName_(std::move(PropName)), data_(Data) {}
    void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                              bool HasData) override;
    bool Done() const { return done_; }

private:
    std::string propName_;
    TStream* data_;
    bool done_ = false;
};

}  // namespace cl
