// Every test starts with the real pointer out of every test window's way: a pointer that an
// earlier test left over a button or a caption would hover there, and a press at the same point
// soon after an earlier one would count as a double click.
#include "skinforms/frame/support.h"

namespace {

class TPointerParking : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override
    {
        frametest::PointerAtScreen(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    }
};

const bool registered = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new TPointerParking);
    return true;
}();

}  // namespace
