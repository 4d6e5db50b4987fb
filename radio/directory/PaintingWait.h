#pragma once
// Blocking work done on a worker thread while the calling thread goes on painting its windows.
//
// Only paint messages are taken from the calling thread's queue meanwhile: a window that is
// uncovered or invalidated is drawn again, but no input and no posted message runs until the
// work is over, so none of the user's commands starts while the work waits. Messages that
// other threads send are answered, as every retrieval of a message answers them, so a watcher
// asking whether the window still responds gets its reply. The screen shows the busy cursor.
#include <functional>

namespace radio {

// Runs Work on a worker thread and returns once it has ended, raising again what it raised.
// Work must end by a bound of its own: this waits for it, however long that takes.
void RunWhilePainting(const std::function<void()>& Work);

}  // namespace radio
