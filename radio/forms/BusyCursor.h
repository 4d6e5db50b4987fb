#pragma once
// The screen's busy cursor for as long as an object of this class lives; nested ones put back
// what the outer one set.
#include "classlib/controls/Forms.h"

namespace radio {

class TBusyCursor {
public:
    TBusyCursor()
    {
        if (cl::Screen) {
            previous_ = cl::Screen->Cursor();
            cl::Screen->SetCursor(cl::crHourGlass);
        }
    }
    // The program frees the screen last of all; a wait after that has no cursor to put back.
    ~TBusyCursor()
    {
        if (cl::Screen)
            cl::Screen->SetCursor(previous_);
    }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;

private:
    cl::TCursor previous_ = cl::crDefault;
};

}  // namespace radio
