// Import slots filled on the first call: the library loads at that call, the slot then holds
// the library's own procedure, and every call gets the procedure's own answer.
#include <gtest/gtest.h>

#include "classlib/system/LazyImport.h"

using cl::lazy_import::TWord;

namespace {
// A library nothing else of the tests loads, and a procedure whose answer needs no set-up.
constexpr char kImages[] = "msimg32.dll";
}  // namespace

CL_LAZY_IMPORT(kImages, TransparentBlt, 44, TWord, TWord, TWord, TWord, TWord, TWord, TWord, TWord, TWord, TWord,
               TWord)

TEST(LazyImport, TheLibraryLoadsAtTheFirstCallAndTheSlotThenHoldsItsProcedure)
{
    using TTransparentBlt = TWord(WINAPI*)(TWord, TWord, TWord, TWord, TWord, TWord, TWord, TWord, TWord, TWord, TWord);
    // No device context: the call fails, as the procedure itself answers.
    EXPECT_EQ(reinterpret_cast<TTransparentBlt>(lazySlot_TransparentBlt)(0, 0, 0, 1, 1, 0, 0, 0, 1, 1, 0), 0u);
    const HMODULE images = GetModuleHandleA(kImages);
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(lazySlot_TransparentBlt, reinterpret_cast<void*>(GetProcAddress(images, "TransparentBlt")));
    EXPECT_EQ(reinterpret_cast<TTransparentBlt>(lazySlot_TransparentBlt)(0, 0, 0, 1, 1, 0, 0, 0, 1, 1, 0), 0u);
}
