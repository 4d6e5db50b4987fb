// Skins load in a 32-bit address space whose free room lies only in holes far smaller than the
// most a skin may inflate to: a load takes the room its data needs, not the bound.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "skin/data/SkinData.h"
#include "skin/data/Stream.h"
#include "skin/data/helpers.h"
#include "skin/data/stored_skins_source.h"
#include "skins/StoredSkins.h"

namespace {

using namespace sk;

constexpr std::uintptr_t MiB = 1024 * 1024;

// The largest block VirtualQuery reports free. Wine reports the room it keeps for its own
// placements as reserved, although allocations are placed there: whether a block is really to
// be had only an allocation tells.
std::uintptr_t LargestFreeBlock()
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    std::uintptr_t largest = 0;
    auto at = reinterpret_cast<std::uintptr_t>(info.lpMinimumApplicationAddress);
    const auto last = reinterpret_cast<std::uintptr_t>(info.lpMaximumApplicationAddress);
    MEMORY_BASIC_INFORMATION region;
    while (at < last && VirtualQuery(reinterpret_cast<void*>(at), &region, sizeof region) == sizeof region) {
        const auto end = reinterpret_cast<std::uintptr_t>(region.BaseAddress) + region.RegionSize;
        if (region.State == MEM_FREE)
            largest = std::max<std::uintptr_t>(largest, region.RegionSize);
        if (end <= at)
            break;
        at = end;
    }
    return largest;
}

bool CanReserve(std::size_t Size)
{
    void* block = VirtualAlloc(nullptr, Size, MEM_RESERVE, PAGE_NOACCESS);
    if (block)
        VirtualFree(block, 0, MEM_RELEASE);
    return block != nullptr;
}

// Takes the whole address space in reservations of Hole bytes, then of smaller sizes down to the
// allocation unit, and gives back every other reservation of Hole bytes in address order: the
// free room, nearly half the address space, lies in holes of Hole bytes between reservations
// still held. Gives everything back when it goes.
class TFragmentedAddressSpace {
public:
    explicit TFragmentedAddressSpace(std::size_t Hole)
    {
        // Room for every block first: nothing can be allocated once the address space is taken.
        std::vector<void*> large;
        large.reserve(4096);
        held_.reserve(65536);
        ReserveAll(Hole, large);
        for (std::size_t size : {std::size_t(1024 * 1024), std::size_t(64 * 1024)})
            ReserveAll(size, held_);
        std::sort(large.begin(), large.end());
        for (std::size_t i = 0; i < large.size(); ++i)
            if (i % 2 == 0)
                VirtualFree(large[i], 0, MEM_RELEASE);
            else
                held_.push_back(large[i]);
    }
    ~TFragmentedAddressSpace()
    {
        for (void* block : held_)
            VirtualFree(block, 0, MEM_RELEASE);
    }
    TFragmentedAddressSpace(const TFragmentedAddressSpace&) = delete;
    TFragmentedAddressSpace& operator=(const TFragmentedAddressSpace&) = delete;

private:
    static void ReserveAll(std::size_t Size, std::vector<void*>& Into)
    {
        while (Into.size() < Into.capacity())
            if (void* block = VirtualAlloc(nullptr, Size, MEM_RESERVE, PAGE_NOACCESS))
                Into.push_back(block);
            else
                break;
    }

    std::vector<void*> held_;
};

}  // namespace

TEST(SkinsInFragmentedMemory, LoadWhereNoFreeBlockHoldsTheInflatedBound)
{
    sktest::ProvideStoredSkinResources();
    cl::TComponent owner(nullptr);
    const std::vector<TskCompressedStoredSkin*> skins = trebanix::CreateStoredSkins(&owner);
    // A skin of about a kilobyte, made here.
    using namespace sktest;
    TskCompressedStoredSkin tiny(nullptr);
    tiny.CompressedStream().SetData(
        Deflate(Inflated(3, {Flagged(MakeBmp(16, 12, 7)), Absent(), Absent()}, {},
                         Lines({"[VERSION]", "skinname=Tiny", "[FORMINFO]", "clientrect=1,2,14,10", "[SKINCONTROLS]",
                                "count=1", "0=button:button", "[button]", "skinrect=0,0,4,3"}))));

    {
        TFragmentedAddressSpace fragmented(30 * MiB);
        ASSERT_LT(LargestFreeBlock(), static_cast<std::uintptr_t>(MaxInflatedSkinSize));
        ASSERT_FALSE(CanReserve(static_cast<std::size_t>(MaxInflatedSkinSize)));
        ASSERT_TRUE(CanReserve(20 * MiB));

        TskSkinData data(nullptr);
        auto load = [&data](TskCompressedStoredSkin* Stored) {
            try {
                data.LoadCompressedStoredSkin(Stored);
            } catch (const cl::Exception& e) {
                ADD_FAILURE() << e.Message();
            }
        };
        load(&tiny);
        EXPECT_FALSE(data.Empty);
        EXPECT_EQ(data.SkinName, "Tiny");
        EXPECT_EQ(data.IndexOfControl("button"), 0);
        // The program's default skin, and the first and the last of the others.
        for (const std::string name : {"Progressive Green", "XSystem", "Top Level"}) {
            SCOPED_TRACE(name);
            TskCompressedStoredSkin* stored = nullptr;
            for (TskCompressedStoredSkin* s : skins)
                if (s->Description == name)
                    stored = s;
            ASSERT_NE(stored, nullptr);
            load(stored);
            EXPECT_FALSE(data.Empty);
            EXPECT_EQ(data.SkinName, name);
            EXPECT_GT(data.ActivePictures.Count(), 0);
        }
    }
    // Every reservation was given back.
    EXPECT_TRUE(CanReserve(static_cast<std::size_t>(MaxInflatedSkinSize)));
}
