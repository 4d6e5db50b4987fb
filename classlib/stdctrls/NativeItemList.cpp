#include "classlib/stdctrls/NativeItemList.h"

#include "classlib/system/CoreConsts.h"
#include "classlib/system/SysUtils.h"

namespace cl {

int TNativeItemList::Count() const
{
    return Live() ? NativeCount() : Saved().Count();
}

std::string TNativeItemList::Get(int Index) const
{
    return Live() ? NativeGet(Index) : Saved().Get(Index);
}

TObject* TNativeItemList::GetObjectAt(int Index) const
{
    return Live() ? NativeGetObject(Index) : Saved().GetObjectAt(Index);
}

void TNativeItemList::PutObjectAt(int Index, TObject* AObject)
{
    if (!Live()) {
        Saved().PutObjectAt(Index, AObject);
        return;
    }
    CheckIndex(Index);
    NativePutObject(Index, AObject);
}

void TNativeItemList::InsertObject(int Index, const std::string& S, TObject* AObject)
{
    if (Index < 0 || Index > Count())
        throw EListError(Format(consts::SListIndexError, Index));
    if (Live())
        NativeInsert(Index, S, AObject);
    else
        SavedInsert(Index, S, AObject);
}

void TNativeItemList::Delete(int Index)
{
    if (!Live()) {
        Saved().Delete(Index);
        return;
    }
    CheckIndex(Index);
    NativeDelete(Index);
}

void TNativeItemList::Clear()
{
    if (Live())
        NativeClear();
    else
        Saved().Clear();
}

void TNativeItemList::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError(Format(consts::SListIndexError, Index));
}

void TNativeItemList::SaveNativeItems()
{
    Saved().Clear();
    const int count = NativeCount();
    for (int i = 0; i < count; ++i)
        Saved().AddObject(NativeGet(i), NativeGetObject(i));
}

void TNativeItemList::RestoreSavedItems()
{
    for (int i = 0; i < Saved().Count(); ++i)
        AddObject(Saved().Get(i), Saved().GetObjectAt(i));
    Saved().Clear();
}

}  // namespace cl
