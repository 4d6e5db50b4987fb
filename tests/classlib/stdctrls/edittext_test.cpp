// Text for one-line edits.
#include <gtest/gtest.h>

#include "classlib/stdctrls/EditText.h"

using namespace cl;

TEST(EditText, LineBreaksBecomeSpacesAndControlCharactersGo)
{
    EXPECT_EQ(SingleLineText("one\r\ntwo\nthree\rfour"), "one two three four");
    EXPECT_EQ(SingleLineText(std::string("a\tb\x01\x7F" "c\0d", 8)), "a bcd");
    EXPECT_EQ(SingleLineText(""), "");
}
