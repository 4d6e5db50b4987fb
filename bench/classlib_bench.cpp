// Creating, showing and freeing a form with 200 controls, and painting a 1024x768 canvas,
// each beside the same work done straight through Win32 in this run.
#include <windows.h>

#include <chrono>
#include <cstdio>

#include "classlib/controls/Forms.h"

using namespace cl;

namespace {

using TClock = std::chrono::steady_clock;

template <class F>
double MillisecondsPerRun(int Runs, F&& Work)
{
    Work();  // warm up: classes registered, fonts cached
    const auto start = TClock::now();
    for (int i = 0; i < Runs; ++i)
        Work();
    return std::chrono::duration<double, std::milli>(TClock::now() - start).count() / Runs;
}

void Report(const char* name, double value, double ref, const char* target)
{
    std::printf("BENCH %s value=%.3f unit=ms ref=%.3f ratio=%.3f target=%s\n", name, value, ref,
                ref > 0 ? value / ref : 0.0, target);
}

class TPaintedPanel : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(clBtnFace);
        Canvas()->FillRect(ClientRect());
    }
};

class TPaintedLabel : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

protected:
    void Paint() override { Canvas()->TextOut(0, 0, "Label"); }
};

void FormWith200Controls()
{
    auto* form = new TForm(nullptr);
    form->SetBounds(0, 0, 800, 600);
    for (int i = 0; i < 200; ++i) {
        TControl* c = i % 2 ? static_cast<TControl*>(new TPaintedPanel(form)) : new TPaintedLabel(form);
        c->SetBounds((i % 20) * 40, (i / 20) * 30, 38, 28);
        c->SetParent(form);
    }
    form->Show();
    Application->ProcessMessages();
    form->Free();
    Application->ProcessMessages();
}

LRESULT CALLBACK PlainProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Wnd, &ps);
        RECT r;
        GetClientRect(Wnd, &r);
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        EndPaint(Wnd, &ps);
        return 0;
    }
    return DefWindowProcA(Wnd, Msg, WParam, LParam);
}

void PlainWindowWith200Children()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA cls{};
        cls.lpfnWndProc = PlainProc;
        cls.hInstance = GetModuleHandleA(nullptr);
        cls.lpszClassName = "BenchPlain";
        RegisterClassA(&cls);
        registered = true;
    }
    HWND top = CreateWindowExA(0, "BenchPlain", "", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 800, 600, nullptr,
                               nullptr, nullptr, nullptr);
    // Half the controls have windows of their own, as in the form above.
    for (int i = 1; i < 200; i += 2)
        CreateWindowExA(0, "BenchPlain", "", WS_CHILD | WS_VISIBLE, (i % 20) * 40, (i / 20) * 30, 38, 28, top,
                        nullptr, nullptr, nullptr);
    ShowWindow(top, SW_SHOWNORMAL);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    DestroyWindow(top);
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

void PaintThroughCanvas(TBitmap& Bmp)
{
    TCanvas* c = Bmp.Canvas();
    for (int y = 0; y < 768; y += 16) {
        c->Brush()->SetColor(y % 32 ? clSilver : clWhite);
        c->FillRect(Rect(0, y, 1024, y + 16));
        c->Pen()->SetColor(clGray);
        c->MoveTo(0, y);
        c->LineTo(1024, y);
        c->Brush()->SetStyle(bsClear);
        c->TextOut(4, y + 1, "Station name");
    }
}

void PaintThroughGdi(HDC Dc)
{
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    HGDIOBJ oldFont = SelectObject(Dc, font);
    for (int y = 0; y < 768; y += 16) {
        HBRUSH brush = CreateSolidBrush(y % 32 ? RGB(192, 192, 192) : RGB(255, 255, 255));
        RECT r{0, y, 1024, y + 16};
        FillRect(Dc, &r, brush);
        DeleteObject(brush);
        HPEN pen = CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
        HGDIOBJ oldPen = SelectObject(Dc, pen);
        MoveToEx(Dc, 0, y, nullptr);
        LineTo(Dc, 1024, y);
        SelectObject(Dc, oldPen);
        DeleteObject(pen);
        SetBkMode(Dc, TRANSPARENT);
        TextOutA(Dc, 4, y + 1, "Station name", 12);
    }
    SelectObject(Dc, oldFont);
    DeleteObject(font);
}

}  // namespace

int main()
{
    try {
        const double form = MillisecondsPerRun(3, FormWith200Controls);
        const double plain = MillisecondsPerRun(3, PlainWindowWith200Children);
        Report("classlib_form_200_controls", form, plain, "2");

        TBitmap bmp;
        bmp.SetSize(1024, 768);
        const double canvas = MillisecondsPerRun(20, [&] { PaintThroughCanvas(bmp); });
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), 1024, 768, 1, 24, BI_RGB};
        void* bits = nullptr;
        HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, dib);
        const double gdi = MillisecondsPerRun(20, [&] { PaintThroughGdi(dc); });
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(dib);
        Report("classlib_canvas_1024x768", canvas, gdi, "1.5");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "classlib_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
