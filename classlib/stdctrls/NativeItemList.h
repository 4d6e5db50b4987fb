#pragma once
// The items of a native list control (a list box's lines, a tab control's tabs): its window holds
// them while it exists; before it exists and between a destroy and a re-create a string list of
// the control's holds them. Each control supplies the window's own operations.
#include <memory>
#include <string>

#include "classlib/classes/Classes.h"
#include "classlib/controls/Controls.h"

namespace cl {

class TNativeItemList : public TStrings {
public:
    int Count() const override;
    std::string Get(int Index) const override;
    TObject* GetObjectAt(int Index) const override;
    void PutObjectAt(int Index, TObject* AObject) override;
    void Insert(int Index, const std::string& S) override { InsertObject(Index, S, nullptr); }
    void InsertObject(int Index, const std::string& S, TObject* AObject) override;
    void Delete(int Index) override;
    void Clear() override;

    // Before the window goes: its items into the saved list.
    void SaveNativeItems();
    // Once a new window exists: the saved items into it, in their order (or the window's own
    // sort), leaving the saved list empty.
    void RestoreSavedItems();

protected:
    // Saved may still be empty here (the control makes it after its item list); it is only
    // read once the control is built.
    TNativeItemList(TWinControl* Control, const std::unique_ptr<TStringList>& Saved)
        : control_(Control), saved_(Saved)
    {
    }
    bool Live() const { return control_->HandleAllocated(); }
    TStringList& Saved() const { return *saved_; }
    void CheckIndex(int Index) const;

    // The window's own operations, called only while it exists; PutObject and Delete get an
    // index already checked.
    virtual int NativeCount() const = 0;
    virtual std::string NativeGet(int Index) const = 0;
    virtual TObject* NativeGetObject(int Index) const = 0;
    virtual void NativePutObject(int Index, TObject* AObject) = 0;
    virtual void NativeInsert(int Index, const std::string& S, TObject* AObject) = 0;
    virtual void NativeDelete(int Index) = 0;
    virtual void NativeClear() = 0;
    // Where an insertion goes while there is no window.
    virtual void SavedInsert(int Index, const std::string& S, TObject* AObject)
    {
        Saved().InsertObject(Index, S, AObject);
    }

private:
    TWinControl* control_;
    const std::unique_ptr<TStringList>& saved_;
};

}  // namespace cl
