// TDragImageList: the image under the cursor while dragging.
#include "classlib/controls/Controls.h"
#include "classlib/system/CoreConsts.h"
#include "classlib/graphics/ImgList.h"

namespace cl {

namespace {
constexpr char DragWindowClass[] = "TrebanixDragImage";
}

TDragImageList::~TDragImageList()
{
    if (wnd_) {
        SetWindowLongPtrA(wnd_, GWLP_USERDATA, 0);
        DestroyWindow(wnd_);
    }
}

void TDragImageList::SetDragImage(int Index, int HotSpotX, int HotSpotY)
{
    dragIndex_ = Index;
    hotspot_ = {HotSpotX, HotSpotY};
    if (wnd_)
        InvalidateRect(wnd_, nullptr, TRUE);
}

LRESULT CALLBACK TDragImageList::DragWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    auto* list = reinterpret_cast<TDragImageList*>(GetWindowLongPtrA(Wnd, GWLP_USERDATA));
    switch (Msg) {
    case WM_NCHITTEST:
        return HTTRANSPARENT;  // the target under the image is what counts
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Wnd, &ps);
        try {
            if (list) {
                TCanvas canvas;
                canvas.SetHandle(dc);
                canvas.Brush()->SetColor(clWhite);
                canvas.FillRect(Rect(0, 0, list->Width(), list->Height()));
                list->Draw(&canvas, 0, 0, list->dragIndex_);
                canvas.SetHandle(nullptr);
            }
        } catch (...) {
            HandleEntryException(list);
        }
        EndPaint(Wnd, &ps);
        return 0;
    }
    }
    return DefWindowProcA(Wnd, Msg, WParam, LParam);
}

void TDragImageList::Place()
{
    if (!wnd_)
        return;
    SetWindowPos(wnd_, HWND_TOPMOST, pos_.X - hotspot_.X, pos_.Y - hotspot_.Y, Width(), Height(),
                 SWP_NOACTIVATE | (hidden_ ? SWP_HIDEWINDOW : SWP_SHOWWINDOW));
}

void TDragImageList::BeginDrag(HWND, int X, int Y)
{
    if (!wnd_) {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSA existing{};
        if (!GetClassInfoA(instance, DragWindowClass, &existing)) {
            WNDCLASSA cls{};
            cls.lpfnWndProc = DragWndProc;
            cls.hInstance = instance;
            cls.hCursor = nullptr;
            cls.lpszClassName = DragWindowClass;
            RegisterClassA(&cls);
        }
        wnd_ = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_TRANSPARENT, DragWindowClass, "", WS_POPUP, 0, 0,
                               Width(), Height(), nullptr, nullptr, instance, nullptr);
        if (!wnd_)
            throw EOutOfResources(consts::SOutOfResources);
        SetWindowLongPtrA(wnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    dragging_ = true;
    hidden_ = false;
    pos_ = {X, Y};
    Place();
}

void TDragImageList::DragMove(int X, int Y)
{
    if (!dragging_)
        return;
    pos_ = {X, Y};
    Place();
}

void TDragImageList::EndDrag()
{
    dragging_ = false;
    if (wnd_)
        ShowWindow(wnd_, SW_HIDE);
}

void TDragImageList::HideDragImage()
{
    hidden_ = true;
    if (wnd_ && dragging_)
        ShowWindow(wnd_, SW_HIDE);
}

void TDragImageList::ShowDragImage()
{
    hidden_ = false;
    if (dragging_) {
        Place();
        if (wnd_)
            UpdateWindow(wnd_);
    }
}

}  // namespace cl
