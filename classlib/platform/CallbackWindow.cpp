#include "classlib/platform/CallbackWindow.h"

#include "classlib/system/CoreConsts.h"
#include "classlib/graphics/Error.h"

namespace cl {

namespace {

constexpr char CallbackWindowClass[] = "TrebanixCallbackWindow";

// The method of one window; it outlives the window while the method is still running.
struct TCallback {
    TWndMethod Method;
    int Depth = 0;
    bool Destroyed = false;
};

LRESULT CALLBACK CallbackWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    auto* callback = reinterpret_cast<TCallback*>(GetWindowLongPtrA(Wnd, GWLP_USERDATA));
    if (!callback)
        return DefWindowProcA(Wnd, Msg, WParam, LParam);
    if (Msg == WM_NCDESTROY) {
        SetWindowLongPtrA(Wnd, GWLP_USERDATA, 0);
        callback->Destroyed = true;
        if (callback->Depth == 0)
            delete callback;
        return DefWindowProcA(Wnd, Msg, WParam, LParam);
    }
    TMessage message{Msg, WParam, LParam, 0};
    ++callback->Depth;
    try {
        callback->Method(message);
    } catch (...) {
        HandleEntryException(nullptr);
    }
    if (--callback->Depth == 0 && callback->Destroyed)
        delete callback;
    return message.Result;
}

void RegisterCallbackClass(HINSTANCE Instance)
{
    WNDCLASSA existing{};
    if (GetClassInfoA(Instance, CallbackWindowClass, &existing))
        return;
    WNDCLASSA cls{};
    cls.lpfnWndProc = CallbackWndProc;
    cls.hInstance = Instance;
    cls.lpszClassName = CallbackWindowClass;
    if (!RegisterClassA(&cls))
        throw EOutOfResources(consts::SOutOfResources);
}

}  // namespace

HWND AllocateHWnd(TWndMethod Method, bool MessageOnly)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterCallbackClass(instance);
    HWND wnd = MessageOnly ? CreateWindowExA(0, CallbackWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                             instance, nullptr)
                           : CreateWindowExA(WS_EX_TOOLWINDOW, CallbackWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                             nullptr, instance, nullptr);
    if (!wnd)
        throw EOutOfResources(consts::SOutOfResources);
    // Messages of the creation itself went to the default procedure.
    SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new TCallback{std::move(Method)}));
    return wnd;
}

void DeallocateHWnd(HWND Wnd)
{
    if (Wnd)
        DestroyWindow(Wnd);
}

}  // namespace cl
