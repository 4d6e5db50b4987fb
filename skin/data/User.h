#pragma once
// What every skinned control offers the form it sits on: the skin data it draws from, and the
// step that reads a newly loaded skin. A form hands its skin to its controls through this one
// face, so that no kind of skinned control can be passed over.
namespace sk {

class TskSkinData;

class TskSkinDataUser {
public:
    virtual TskSkinData* SkinData() const = 0;
    // Binds the control and applies a loaded skin at once.
    virtual void SetSkinData(TskSkinData* Value) = 0;
    // The bound skin data has loaded a skin: the control reads its description again.
    virtual void ChangeSkinData() = 0;
    // -1 while the control finds no description of its kind and draws its default look.
    virtual int DescriptionIndex() const = 0;

protected:
    ~TskSkinDataUser() = default;
};

}  // namespace sk
