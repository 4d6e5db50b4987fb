// The counts of LiveHandles.h. The program is linked statically, so every call it makes to the
// system goes through the import address table of the executable: rewriting the slots of the
// creating and deleting functions there sees every handle the program makes or gives back,
// whichever library of ours makes the call, and none of the system's own internal calls.
#include "LiveHandles.h"

#include <windows.h>
#include <process.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace test_support {
namespace {

enum class TKind { Gdi, User, Kernel };

// Whether code at an address belongs to the threading runtime, from the executable's own
// symbol table: the runtime makes handles for itself (the event of a contended mutex, the record
// of a thread it did not start) and keeps them as long as it likes, which is no leak of ours.
class TRuntimeCode {
public:
    TRuntimeCode() { Load(); }

    bool Contains(const void* Address) const
    {
        const auto a = reinterpret_cast<std::uintptr_t>(Address);
        auto after = std::upper_bound(functions_.begin(), functions_.end(), a,
                                      [](std::uintptr_t v, const TFunction& f) { return v < f.Start; });
        return after != functions_.begin() && std::prev(after)->Runtime;
    }

private:
    struct TFunction {
        std::uintptr_t Start;
        bool Runtime;
    };

    static bool IsRuntimeName(const std::string& name)
    {
        const std::size_t first = name.find_first_not_of('_');
        const std::string bare = first == std::string::npos ? name : name.substr(first);
        return name.find("pthread") != std::string::npos || bare.rfind("mutex_", 0) == 0 ||
               bare.rfind("cond_", 0) == 0 || bare.rfind("sem_", 0) == 0 || bare.rfind("rwl_", 0) == 0;
    }

    void Load()
    {
        auto* base = reinterpret_cast<std::uint8_t*>(GetModuleHandleW(nullptr));
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
        const IMAGE_FILE_HEADER& file = nt->FileHeader;
        if (file.PointerToSymbolTable == 0 || file.NumberOfSymbols == 0)
            return;
        const IMAGE_SECTION_HEADER* sections = IMAGE_FIRST_SECTION(nt);

        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::ifstream in(path, std::ios::binary);
        std::vector<char> table(std::size_t(file.NumberOfSymbols) * IMAGE_SIZEOF_SYMBOL);
        in.seekg(file.PointerToSymbolTable);
        if (!in.read(table.data(), std::streamsize(table.size())))
            return;
        std::uint32_t stringsSize = 0;
        in.read(reinterpret_cast<char*>(&stringsSize), 4);
        std::vector<char> strings(std::max<std::uint32_t>(stringsSize, 4));
        if (stringsSize > 4)
            in.read(strings.data() + 4, stringsSize - 4);
        strings.back() = 0;

        for (DWORD i = 0; i < file.NumberOfSymbols; ++i) {
            IMAGE_SYMBOL symbol;
            std::memcpy(&symbol, table.data() + std::size_t(i) * IMAGE_SIZEOF_SYMBOL, sizeof symbol);
            i += symbol.NumberOfAuxSymbols;
            if (!ISFCN(symbol.Type) || symbol.SectionNumber <= 0 ||
                symbol.SectionNumber > file.NumberOfSections)
                continue;
            std::string name;
            if (symbol.N.Name.Short != 0)
                name.assign(reinterpret_cast<const char*>(symbol.N.ShortName),
                            strnlen(reinterpret_cast<const char*>(symbol.N.ShortName), 8));
            else if (symbol.N.Name.Long < strings.size())
                name = strings.data() + symbol.N.Name.Long;
            const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(base) +
                                         sections[symbol.SectionNumber - 1].VirtualAddress + symbol.Value;
            functions_.push_back({start, IsRuntimeName(name)});
        }
        std::sort(functions_.begin(), functions_.end(),
                  [](const TFunction& a, const TFunction& b) { return a.Start < b.Start; });
    }

    std::vector<TFunction> functions_;
};

// The live handles of each kind, each with how often it was handed out (GetDC of a window with
// its own DC gives the same handle every time) and the code that asked for it. A deletion of a
// handle never seen is ignored: it was made before counting began, or by the system.
class TTracker {
public:
    TTracker() { InitializeCriticalSection(&lock_); }

    void Add(TKind Kind, const void* Handle, const void* Caller) noexcept
    {
        if (!Handle || Handle == INVALID_HANDLE_VALUE)
            return;
        EnterCriticalSection(&lock_);
        // A handle value given away earlier and now made again names a new object.
        given_.erase(Handle);
        try {
            TEntry& entry = live_[Index(Kind)][Handle];
            ++entry.Count;
            entry.Caller = Caller;
        } catch (...) {
            // Out of memory while counting: the count is then low, never a crash in the test.
        }
        LeaveCriticalSection(&lock_);
    }

    void Remove(TKind Kind, const void* Handle) noexcept
    {
        EnterCriticalSection(&lock_);
        auto& handles = live_[Index(Kind)];
        const auto found = handles.find(Handle);
        if (found != handles.end() && --found->second.Count == 0)
            handles.erase(found);
        LeaveCriticalSection(&lock_);
    }

    // Handle now belongs to the system, which deletes it itself.
    void Give(TKind Kind, const void* Handle) noexcept
    {
        Remove(Kind, Handle);
        EnterCriticalSection(&lock_);
        try {
            given_.insert(Handle);
        } catch (...) {
            // Out of memory: a later delete of this handle then goes unseen.
        }
        LeaveCriticalSection(&lock_);
    }

    // Called before a delete of Handle, whether it succeeds or not.
    void Deleting(const void* Handle) noexcept
    {
        EnterCriticalSection(&lock_);
        if (given_.erase(Handle))
            ++givenDeletes_;
        LeaveCriticalSection(&lock_);
    }

    long GivenDeletes() noexcept
    {
        EnterCriticalSection(&lock_);
        const long count = givenDeletes_;
        LeaveCriticalSection(&lock_);
        return count;
    }

    long Count(TKind Kind, const TRuntimeCode& runtime) noexcept
    {
        EnterCriticalSection(&lock_);
        long total = 0;
        for (const auto& entry : live_[Index(Kind)])
            if (!runtime.Contains(entry.second.Caller))
                total += entry.second.Count;
        LeaveCriticalSection(&lock_);
        return total;
    }

private:
    struct TEntry {
        long Count = 0;
        const void* Caller = nullptr;
    };
    static int Index(TKind Kind) { return static_cast<int>(Kind); }

    CRITICAL_SECTION lock_;
    std::unordered_map<const void*, TEntry> live_[3];
    std::unordered_set<const void*> given_;
    long givenDeletes_ = 0;
};

// Hooks stay in place until the process ends, and threads that end after static destruction
// still close their handles through them: the tracker is never destroyed.
TTracker& Tracker()
{
    static TTracker* const tracker = new TTracker;
    return *tracker;
}

// Inlined into each hook, so that the return address is that of the hook's caller.
template <typename THandle>
__attribute__((always_inline)) inline THandle Made(TKind Kind, THandle Handle)
{
    Tracker().Add(Kind, reinterpret_cast<const void*>(Handle), __builtin_return_address(0));
    return Handle;
}

void Gone(TKind Kind, const void* Handle)
{
    Tracker().Remove(Kind, Handle);
}

// The system's own procedures, called by the hooks.
struct TOriginals {
    decltype(&::CreateSolidBrush) CreateSolidBrush;
    decltype(&::CreateHatchBrush) CreateHatchBrush;
    decltype(&::CreatePatternBrush) CreatePatternBrush;
    decltype(&::CreateBrushIndirect) CreateBrushIndirect;
    decltype(&::CreateDIBPatternBrushPt) CreateDIBPatternBrushPt;
    decltype(&::CreatePen) CreatePen;
    decltype(&::CreatePenIndirect) CreatePenIndirect;
    decltype(&::ExtCreatePen) ExtCreatePen;
    decltype(&::CreateFontA) CreateFontA;
    decltype(&::CreateFontW) CreateFontW;
    decltype(&::CreateFontIndirectA) CreateFontIndirectA;
    decltype(&::CreateFontIndirectW) CreateFontIndirectW;
    decltype(&::CreateBitmap) CreateBitmap;
    decltype(&::CreateBitmapIndirect) CreateBitmapIndirect;
    decltype(&::CreateCompatibleBitmap) CreateCompatibleBitmap;
    decltype(&::CreateDIBitmap) CreateDIBitmap;
    decltype(&::CreateDIBSection) CreateDIBSection;
    decltype(&::CreateRectRgn) CreateRectRgn;
    decltype(&::CreateRectRgnIndirect) CreateRectRgnIndirect;
    decltype(&::CreateRoundRectRgn) CreateRoundRectRgn;
    decltype(&::CreateEllipticRgn) CreateEllipticRgn;
    decltype(&::CreateEllipticRgnIndirect) CreateEllipticRgnIndirect;
    decltype(&::CreatePolygonRgn) CreatePolygonRgn;
    decltype(&::CreatePolyPolygonRgn) CreatePolyPolygonRgn;
    decltype(&::ExtCreateRegion) ExtCreateRegion;
    decltype(&::PathToRegion) PathToRegion;
    decltype(&::CreatePalette) CreatePalette;
    decltype(&::CreateHalftonePalette) CreateHalftonePalette;
    decltype(&::CreateCompatibleDC) CreateCompatibleDC;
    decltype(&::CreateDCA) CreateDCA;
    decltype(&::CreateDCW) CreateDCW;
    decltype(&::CreateICA) CreateICA;
    decltype(&::CreateICW) CreateICW;
    decltype(&::DeleteObject) DeleteObject;
    decltype(&::DeleteDC) DeleteDC;

    decltype(&::GetDC) GetDC;
    decltype(&::GetWindowDC) GetWindowDC;
    decltype(&::GetDCEx) GetDCEx;
    decltype(&::ReleaseDC) ReleaseDC;
    decltype(&::SetWindowRgn) SetWindowRgn;
    decltype(&::SetClipboardData) SetClipboardData;
    decltype(&::LoadBitmapA) LoadBitmapA;
    decltype(&::LoadBitmapW) LoadBitmapW;
    decltype(&::LoadImageA) LoadImageA;
    decltype(&::LoadImageW) LoadImageW;
    decltype(&::CopyImage) CopyImage;
    decltype(&::CreateIconIndirect) CreateIconIndirect;
    decltype(&::CreateIconFromResourceEx) CreateIconFromResourceEx;
    decltype(&::CopyIcon) CopyIcon;
    decltype(&::CreateCursor) CreateCursor;
    decltype(&::DestroyIcon) DestroyIcon;
    decltype(&::DestroyCursor) DestroyCursor;

    decltype(&::CreateEventA) CreateEventA;
    decltype(&::CreateEventW) CreateEventW;
    decltype(&::CreateMutexA) CreateMutexA;
    decltype(&::CreateMutexW) CreateMutexW;
    decltype(&::CreateSemaphoreA) CreateSemaphoreA;
    decltype(&::CreateSemaphoreW) CreateSemaphoreW;
    decltype(&::CreateWaitableTimerA) CreateWaitableTimerA;
    decltype(&::CreateWaitableTimerW) CreateWaitableTimerW;
    decltype(&::OpenEventA) OpenEventA;
    decltype(&::OpenEventW) OpenEventW;
    decltype(&::OpenMutexA) OpenMutexA;
    decltype(&::OpenMutexW) OpenMutexW;
    decltype(&::CreateThread) CreateThread;
    decltype(&::_beginthreadex) BeginThreadEx;
    decltype(&::OpenThread) OpenThread;
    decltype(&::OpenProcess) OpenProcess;
    decltype(&::CreateProcessA) CreateProcessA;
    decltype(&::CreateProcessW) CreateProcessW;
    decltype(&::CreateFileA) CreateFileA;
    decltype(&::CreateFileW) CreateFileW;
    decltype(&::CreateFileMappingA) CreateFileMappingA;
    decltype(&::CreateFileMappingW) CreateFileMappingW;
    decltype(&::CreatePipe) CreatePipe;
    decltype(&::CreateNamedPipeA) CreateNamedPipeA;
    decltype(&::CreateNamedPipeW) CreateNamedPipeW;
    decltype(&::CreateMailslotA) CreateMailslotA;
    decltype(&::CreateMailslotW) CreateMailslotW;
    decltype(&::CreateIoCompletionPort) CreateIoCompletionPort;
    decltype(&::CreateToolhelp32Snapshot) CreateToolhelp32Snapshot;
    decltype(&::DuplicateHandle) DuplicateHandle;
    decltype(&::FindFirstFileA) FindFirstFileA;
    decltype(&::FindFirstFileW) FindFirstFileW;
    decltype(&::FindClose) FindClose;
    decltype(&::FindFirstChangeNotificationA) FindFirstChangeNotificationA;
    decltype(&::FindFirstChangeNotificationW) FindFirstChangeNotificationW;
    decltype(&::FindCloseChangeNotification) FindCloseChangeNotification;
    decltype(&::CloseHandle) CloseHandle;
    decltype(&::RegOpenKeyExA) RegOpenKeyExA;
    decltype(&::RegOpenKeyExW) RegOpenKeyExW;
    decltype(&::RegCreateKeyExA) RegCreateKeyExA;
    decltype(&::RegCreateKeyExW) RegCreateKeyExW;
    decltype(&::RegCloseKey) RegCloseKey;
} Real;

constexpr TKind kGdi = TKind::Gdi;
constexpr TKind kUser = TKind::User;
constexpr TKind kKernel = TKind::Kernel;

// --- GDI objects and DCs ---------------------------------------------------------------------

HBRUSH WINAPI HookCreateSolidBrush(COLORREF c) { return Made(kGdi, Real.CreateSolidBrush(c)); }
HBRUSH WINAPI HookCreateHatchBrush(int h, COLORREF c) { return Made(kGdi, Real.CreateHatchBrush(h, c)); }
HBRUSH WINAPI HookCreatePatternBrush(HBITMAP b) { return Made(kGdi, Real.CreatePatternBrush(b)); }
HBRUSH WINAPI HookCreateBrushIndirect(const LOGBRUSH* l) { return Made(kGdi, Real.CreateBrushIndirect(l)); }
HBRUSH WINAPI HookCreateDIBPatternBrushPt(const VOID* p, UINT u)
{
    return Made(kGdi, Real.CreateDIBPatternBrushPt(p, u));
}
HPEN WINAPI HookCreatePen(int s, int w, COLORREF c) { return Made(kGdi, Real.CreatePen(s, w, c)); }
HPEN WINAPI HookCreatePenIndirect(const LOGPEN* l) { return Made(kGdi, Real.CreatePenIndirect(l)); }
HPEN WINAPI HookExtCreatePen(DWORD s, DWORD w, const LOGBRUSH* l, DWORD n, const DWORD* st)
{
    return Made(kGdi, Real.ExtCreatePen(s, w, l, n, st));
}
HFONT WINAPI HookCreateFontA(int h, int w, int e, int o, int wt, DWORD i, DWORD u, DWORD so, DWORD cs,
                             DWORD op, DWORD cp, DWORD q, DWORD pf, LPCSTR f)
{
    return Made(kGdi, Real.CreateFontA(h, w, e, o, wt, i, u, so, cs, op, cp, q, pf, f));
}
HFONT WINAPI HookCreateFontW(int h, int w, int e, int o, int wt, DWORD i, DWORD u, DWORD so, DWORD cs,
                             DWORD op, DWORD cp, DWORD q, DWORD pf, LPCWSTR f)
{
    return Made(kGdi, Real.CreateFontW(h, w, e, o, wt, i, u, so, cs, op, cp, q, pf, f));
}
HFONT WINAPI HookCreateFontIndirectA(const LOGFONTA* l) { return Made(kGdi, Real.CreateFontIndirectA(l)); }
HFONT WINAPI HookCreateFontIndirectW(const LOGFONTW* l) { return Made(kGdi, Real.CreateFontIndirectW(l)); }
HBITMAP WINAPI HookCreateBitmap(int w, int h, UINT p, UINT b, const VOID* bits)
{
    return Made(kGdi, Real.CreateBitmap(w, h, p, b, bits));
}
HBITMAP WINAPI HookCreateBitmapIndirect(const BITMAP* b) { return Made(kGdi, Real.CreateBitmapIndirect(b)); }
HBITMAP WINAPI HookCreateCompatibleBitmap(HDC dc, int w, int h)
{
    return Made(kGdi, Real.CreateCompatibleBitmap(dc, w, h));
}
HBITMAP WINAPI HookCreateDIBitmap(HDC dc, const BITMAPINFOHEADER* h, DWORD f, const VOID* b,
                                  const BITMAPINFO* i, UINT u)
{
    return Made(kGdi, Real.CreateDIBitmap(dc, h, f, b, i, u));
}
HBITMAP WINAPI HookCreateDIBSection(HDC dc, const BITMAPINFO* i, UINT u, VOID** b, HANDLE s, DWORD o)
{
    return Made(kGdi, Real.CreateDIBSection(dc, i, u, b, s, o));
}
HRGN WINAPI HookCreateRectRgn(int l, int t, int r, int b) { return Made(kGdi, Real.CreateRectRgn(l, t, r, b)); }
HRGN WINAPI HookCreateRectRgnIndirect(const RECT* r) { return Made(kGdi, Real.CreateRectRgnIndirect(r)); }
HRGN WINAPI HookCreateRoundRectRgn(int l, int t, int r, int b, int w, int h)
{
    return Made(kGdi, Real.CreateRoundRectRgn(l, t, r, b, w, h));
}
HRGN WINAPI HookCreateEllipticRgn(int l, int t, int r, int b)
{
    return Made(kGdi, Real.CreateEllipticRgn(l, t, r, b));
}
HRGN WINAPI HookCreateEllipticRgnIndirect(const RECT* r) { return Made(kGdi, Real.CreateEllipticRgnIndirect(r)); }
HRGN WINAPI HookCreatePolygonRgn(const POINT* p, int n, int m) { return Made(kGdi, Real.CreatePolygonRgn(p, n, m)); }
HRGN WINAPI HookCreatePolyPolygonRgn(const POINT* p, const INT* c, int n, int m)
{
    return Made(kGdi, Real.CreatePolyPolygonRgn(p, c, n, m));
}
HRGN WINAPI HookExtCreateRegion(const XFORM* x, DWORD n, const RGNDATA* d)
{
    return Made(kGdi, Real.ExtCreateRegion(x, n, d));
}
HRGN WINAPI HookPathToRegion(HDC dc) { return Made(kGdi, Real.PathToRegion(dc)); }
HPALETTE WINAPI HookCreatePalette(const LOGPALETTE* l) { return Made(kGdi, Real.CreatePalette(l)); }
HPALETTE WINAPI HookCreateHalftonePalette(HDC dc) { return Made(kGdi, Real.CreateHalftonePalette(dc)); }
HDC WINAPI HookCreateCompatibleDC(HDC dc) { return Made(kGdi, Real.CreateCompatibleDC(dc)); }
HDC WINAPI HookCreateDCA(LPCSTR d, LPCSTR v, LPCSTR p, const DEVMODEA* m) { return Made(kGdi, Real.CreateDCA(d, v, p, m)); }
HDC WINAPI HookCreateDCW(LPCWSTR d, LPCWSTR v, LPCWSTR p, const DEVMODEW* m) { return Made(kGdi, Real.CreateDCW(d, v, p, m)); }
HDC WINAPI HookCreateICA(LPCSTR d, LPCSTR v, LPCSTR p, const DEVMODEA* m) { return Made(kGdi, Real.CreateICA(d, v, p, m)); }
HDC WINAPI HookCreateICW(LPCWSTR d, LPCWSTR v, LPCWSTR p, const DEVMODEW* m) { return Made(kGdi, Real.CreateICW(d, v, p, m)); }

BOOL WINAPI HookDeleteObject(HGDIOBJ o)
{
    Tracker().Deleting(o);
    const BOOL done = Real.DeleteObject(o);
    if (done)
        Gone(kGdi, o);
    return done;
}
BOOL WINAPI HookDeleteDC(HDC dc)
{
    const BOOL done = Real.DeleteDC(dc);
    if (done)
        Gone(kGdi, dc);
    return done;
}

HDC WINAPI HookGetDC(HWND w) { return Made(kGdi, Real.GetDC(w)); }
HDC WINAPI HookGetWindowDC(HWND w) { return Made(kGdi, Real.GetWindowDC(w)); }
HDC WINAPI HookGetDCEx(HWND w, HRGN r, DWORD f) { return Made(kGdi, Real.GetDCEx(w, r, f)); }
int WINAPI HookReleaseDC(HWND w, HDC dc)
{
    const int done = Real.ReleaseDC(w, dc);
    if (done)
        Gone(kGdi, dc);
    return done;
}
// The window owns its region from here on and deletes it itself.
int WINAPI HookSetWindowRgn(HWND w, HRGN r, BOOL redraw)
{
    const int done = Real.SetWindowRgn(w, r, redraw);
    if (done && r)
        Tracker().Give(kGdi, r);
    return done;
}
// The clipboard owns what is put on it.
HANDLE WINAPI HookSetClipboardData(UINT format, HANDLE h)
{
    const HANDLE done = Real.SetClipboardData(format, h);
    if (done && h)
        Tracker().Give(format == CF_BITMAP || format == CF_DSPBITMAP || format == CF_PALETTE ? kGdi : kUser, h);
    return done;
}
HBITMAP WINAPI HookLoadBitmapA(HINSTANCE i, LPCSTR n) { return Made(kGdi, Real.LoadBitmapA(i, n)); }
HBITMAP WINAPI HookLoadBitmapW(HINSTANCE i, LPCWSTR n) { return Made(kGdi, Real.LoadBitmapW(i, n)); }

// Shared icons and cursors belong to the system; other images are the caller's.
__attribute__((always_inline)) inline HANDLE MadeImage(HANDLE h, UINT type, UINT flags)
{
    if (flags & LR_SHARED)
        return h;
    return Made(type == IMAGE_BITMAP ? kGdi : kUser, h);
}
HANDLE WINAPI HookLoadImageA(HINSTANCE i, LPCSTR n, UINT t, int w, int h, UINT f)
{
    return MadeImage(Real.LoadImageA(i, n, t, w, h, f), t, f);
}
HANDLE WINAPI HookLoadImageW(HINSTANCE i, LPCWSTR n, UINT t, int w, int h, UINT f)
{
    return MadeImage(Real.LoadImageW(i, n, t, w, h, f), t, f);
}
HANDLE WINAPI HookCopyImage(HANDLE s, UINT t, int w, int h, UINT f)
{
    const HANDLE copy = Real.CopyImage(s, t, w, h, f);
    if (copy && (f & LR_COPYDELETEORG))
        Gone(t == IMAGE_BITMAP ? kGdi : kUser, s);
    return MadeImage(copy, t, f);
}

// --- icons and cursors -----------------------------------------------------------------------

HICON WINAPI HookCreateIconIndirect(PICONINFO i) { return Made(kUser, Real.CreateIconIndirect(i)); }
HICON WINAPI HookCreateIconFromResourceEx(PBYTE b, DWORD n, BOOL icon, DWORD v, int w, int h, UINT f)
{
    const HICON made = Real.CreateIconFromResourceEx(b, n, icon, v, w, h, f);
    return (f & LR_SHARED) ? made : Made(kUser, made);
}
HICON WINAPI HookCopyIcon(HICON i) { return Made(kUser, Real.CopyIcon(i)); }
HCURSOR WINAPI HookCreateCursor(HINSTANCE i, int x, int y, int w, int h, const VOID* a, const VOID* b)
{
    return Made(kUser, Real.CreateCursor(i, x, y, w, h, a, b));
}
BOOL WINAPI HookDestroyIcon(HICON i)
{
    const BOOL done = Real.DestroyIcon(i);
    if (done)
        Gone(kUser, i);
    return done;
}
BOOL WINAPI HookDestroyCursor(HCURSOR c)
{
    const BOOL done = Real.DestroyCursor(c);
    if (done)
        Gone(kUser, c);
    return done;
}

// --- kernel handles --------------------------------------------------------------------------

HANDLE WINAPI HookCreateEventA(LPSECURITY_ATTRIBUTES s, BOOL m, BOOL i, LPCSTR n)
{
    return Made(kKernel, Real.CreateEventA(s, m, i, n));
}
HANDLE WINAPI HookCreateEventW(LPSECURITY_ATTRIBUTES s, BOOL m, BOOL i, LPCWSTR n)
{
    return Made(kKernel, Real.CreateEventW(s, m, i, n));
}
HANDLE WINAPI HookCreateMutexA(LPSECURITY_ATTRIBUTES s, BOOL o, LPCSTR n) { return Made(kKernel, Real.CreateMutexA(s, o, n)); }
HANDLE WINAPI HookCreateMutexW(LPSECURITY_ATTRIBUTES s, BOOL o, LPCWSTR n) { return Made(kKernel, Real.CreateMutexW(s, o, n)); }
HANDLE WINAPI HookCreateSemaphoreA(LPSECURITY_ATTRIBUTES s, LONG i, LONG m, LPCSTR n)
{
    return Made(kKernel, Real.CreateSemaphoreA(s, i, m, n));
}
HANDLE WINAPI HookCreateSemaphoreW(LPSECURITY_ATTRIBUTES s, LONG i, LONG m, LPCWSTR n)
{
    return Made(kKernel, Real.CreateSemaphoreW(s, i, m, n));
}
HANDLE WINAPI HookCreateWaitableTimerA(LPSECURITY_ATTRIBUTES s, BOOL m, LPCSTR n)
{
    return Made(kKernel, Real.CreateWaitableTimerA(s, m, n));
}
HANDLE WINAPI HookCreateWaitableTimerW(LPSECURITY_ATTRIBUTES s, BOOL m, LPCWSTR n)
{
    return Made(kKernel, Real.CreateWaitableTimerW(s, m, n));
}
HANDLE WINAPI HookOpenEventA(DWORD a, BOOL i, LPCSTR n) { return Made(kKernel, Real.OpenEventA(a, i, n)); }
HANDLE WINAPI HookOpenEventW(DWORD a, BOOL i, LPCWSTR n) { return Made(kKernel, Real.OpenEventW(a, i, n)); }
HANDLE WINAPI HookOpenMutexA(DWORD a, BOOL i, LPCSTR n) { return Made(kKernel, Real.OpenMutexA(a, i, n)); }
HANDLE WINAPI HookOpenMutexW(DWORD a, BOOL i, LPCWSTR n) { return Made(kKernel, Real.OpenMutexW(a, i, n)); }
HANDLE WINAPI HookCreateThread(LPSECURITY_ATTRIBUTES s, SIZE_T z, LPTHREAD_START_ROUTINE r, LPVOID p, DWORD f,
                               LPDWORD id)
{
    return Made(kKernel, Real.CreateThread(s, z, r, p, f, id));
}
uintptr_t __cdecl HookBeginThreadEx(void* s, unsigned z, unsigned(__stdcall* r)(void*), void* p, unsigned f,
                                    unsigned* id)
{
    return Made(kKernel, Real.BeginThreadEx(s, z, r, p, f, id));
}
HANDLE WINAPI HookOpenThread(DWORD a, BOOL i, DWORD id) { return Made(kKernel, Real.OpenThread(a, i, id)); }
HANDLE WINAPI HookOpenProcess(DWORD a, BOOL i, DWORD id) { return Made(kKernel, Real.OpenProcess(a, i, id)); }
__attribute__((always_inline)) inline void MadeProcess(BOOL done, const PROCESS_INFORMATION* p)
{
    if (done && p) {
        Made(kKernel, p->hProcess);
        Made(kKernel, p->hThread);
    }
}
BOOL WINAPI HookCreateProcessA(LPCSTR a, LPSTR c, LPSECURITY_ATTRIBUTES ps, LPSECURITY_ATTRIBUTES ts, BOOL i,
                               DWORD f, LPVOID e, LPCSTR d, LPSTARTUPINFOA s, LPPROCESS_INFORMATION p)
{
    const BOOL done = Real.CreateProcessA(a, c, ps, ts, i, f, e, d, s, p);
    MadeProcess(done, p);
    return done;
}
BOOL WINAPI HookCreateProcessW(LPCWSTR a, LPWSTR c, LPSECURITY_ATTRIBUTES ps, LPSECURITY_ATTRIBUTES ts, BOOL i,
                               DWORD f, LPVOID e, LPCWSTR d, LPSTARTUPINFOW s, LPPROCESS_INFORMATION p)
{
    const BOOL done = Real.CreateProcessW(a, c, ps, ts, i, f, e, d, s, p);
    MadeProcess(done, p);
    return done;
}
HANDLE WINAPI HookCreateFileA(LPCSTR n, DWORD a, DWORD s, LPSECURITY_ATTRIBUTES sa, DWORD c, DWORD f, HANDLE t)
{
    return Made(kKernel, Real.CreateFileA(n, a, s, sa, c, f, t));
}
HANDLE WINAPI HookCreateFileW(LPCWSTR n, DWORD a, DWORD s, LPSECURITY_ATTRIBUTES sa, DWORD c, DWORD f, HANDLE t)
{
    return Made(kKernel, Real.CreateFileW(n, a, s, sa, c, f, t));
}
HANDLE WINAPI HookCreateFileMappingA(HANDLE h, LPSECURITY_ATTRIBUTES s, DWORD p, DWORD hi, DWORD lo, LPCSTR n)
{
    return Made(kKernel, Real.CreateFileMappingA(h, s, p, hi, lo, n));
}
HANDLE WINAPI HookCreateFileMappingW(HANDLE h, LPSECURITY_ATTRIBUTES s, DWORD p, DWORD hi, DWORD lo, LPCWSTR n)
{
    return Made(kKernel, Real.CreateFileMappingW(h, s, p, hi, lo, n));
}
BOOL WINAPI HookCreatePipe(PHANDLE r, PHANDLE w, LPSECURITY_ATTRIBUTES s, DWORD z)
{
    const BOOL done = Real.CreatePipe(r, w, s, z);
    if (done) {
        Made(kKernel, *r);
        Made(kKernel, *w);
    }
    return done;
}
HANDLE WINAPI HookCreateNamedPipeA(LPCSTR n, DWORD o, DWORD p, DWORD m, DWORD out, DWORD in, DWORD t,
                                   LPSECURITY_ATTRIBUTES s)
{
    return Made(kKernel, Real.CreateNamedPipeA(n, o, p, m, out, in, t, s));
}
HANDLE WINAPI HookCreateNamedPipeW(LPCWSTR n, DWORD o, DWORD p, DWORD m, DWORD out, DWORD in, DWORD t,
                                   LPSECURITY_ATTRIBUTES s)
{
    return Made(kKernel, Real.CreateNamedPipeW(n, o, p, m, out, in, t, s));
}
HANDLE WINAPI HookCreateMailslotA(LPCSTR n, DWORD m, DWORD t, LPSECURITY_ATTRIBUTES s)
{
    return Made(kKernel, Real.CreateMailslotA(n, m, t, s));
}
HANDLE WINAPI HookCreateMailslotW(LPCWSTR n, DWORD m, DWORD t, LPSECURITY_ATTRIBUTES s)
{
    return Made(kKernel, Real.CreateMailslotW(n, m, t, s));
}
// Only a new port is a new handle; adding a file to a port returns the port again.
HANDLE WINAPI HookCreateIoCompletionPort(HANDLE f, HANDLE port, ULONG_PTR k, DWORD n)
{
    const HANDLE done = Real.CreateIoCompletionPort(f, port, k, n);
    return port ? done : Made(kKernel, done);
}
HANDLE WINAPI HookCreateToolhelp32Snapshot(DWORD f, DWORD p) { return Made(kKernel, Real.CreateToolhelp32Snapshot(f, p)); }
BOOL WINAPI HookDuplicateHandle(HANDLE sp, HANDLE s, HANDLE tp, LPHANDLE t, DWORD a, BOOL i, DWORD o)
{
    const BOOL done = Real.DuplicateHandle(sp, s, tp, t, a, i, o);
    if (done && (o & DUPLICATE_CLOSE_SOURCE) && sp == GetCurrentProcess())
        Gone(kKernel, s);
    if (done && t && tp == GetCurrentProcess())
        Made(kKernel, *t);
    return done;
}
HANDLE WINAPI HookFindFirstFileA(LPCSTR n, LPWIN32_FIND_DATAA d) { return Made(kKernel, Real.FindFirstFileA(n, d)); }
HANDLE WINAPI HookFindFirstFileW(LPCWSTR n, LPWIN32_FIND_DATAW d) { return Made(kKernel, Real.FindFirstFileW(n, d)); }
BOOL WINAPI HookFindClose(HANDLE h)
{
    const BOOL done = Real.FindClose(h);
    if (done)
        Gone(kKernel, h);
    return done;
}
HANDLE WINAPI HookFindFirstChangeNotificationA(LPCSTR n, BOOL s, DWORD f)
{
    return Made(kKernel, Real.FindFirstChangeNotificationA(n, s, f));
}
HANDLE WINAPI HookFindFirstChangeNotificationW(LPCWSTR n, BOOL s, DWORD f)
{
    return Made(kKernel, Real.FindFirstChangeNotificationW(n, s, f));
}
BOOL WINAPI HookFindCloseChangeNotification(HANDLE h)
{
    const BOOL done = Real.FindCloseChangeNotification(h);
    if (done)
        Gone(kKernel, h);
    return done;
}
BOOL WINAPI HookCloseHandle(HANDLE h)
{
    const BOOL done = Real.CloseHandle(h);
    if (done)
        Gone(kKernel, h);
    return done;
}
// Registry keys are kernel handles too; the predefined roots are never counted.
__attribute__((always_inline)) inline LSTATUS MadeKey(LSTATUS status, PHKEY key)
{
    if (status == ERROR_SUCCESS && key)
        Made(kKernel, *key);
    return status;
}
LSTATUS WINAPI HookRegOpenKeyExA(HKEY k, LPCSTR s, DWORD o, REGSAM a, PHKEY r)
{
    return MadeKey(Real.RegOpenKeyExA(k, s, o, a, r), r);
}
LSTATUS WINAPI HookRegOpenKeyExW(HKEY k, LPCWSTR s, DWORD o, REGSAM a, PHKEY r)
{
    return MadeKey(Real.RegOpenKeyExW(k, s, o, a, r), r);
}
LSTATUS WINAPI HookRegCreateKeyExA(HKEY k, LPCSTR s, DWORD z, LPSTR c, DWORD o, REGSAM a,
                                   LPSECURITY_ATTRIBUTES sa, PHKEY r, LPDWORD d)
{
    return MadeKey(Real.RegCreateKeyExA(k, s, z, c, o, a, sa, r, d), r);
}
LSTATUS WINAPI HookRegCreateKeyExW(HKEY k, LPCWSTR s, DWORD z, LPWSTR c, DWORD o, REGSAM a,
                                   LPSECURITY_ATTRIBUTES sa, PHKEY r, LPDWORD d)
{
    return MadeKey(Real.RegCreateKeyExW(k, s, z, c, o, a, sa, r, d), r);
}
LSTATUS WINAPI HookRegCloseKey(HKEY k)
{
    const LSTATUS status = Real.RegCloseKey(k);
    if (status == ERROR_SUCCESS)
        Gone(kKernel, k);
    return status;
}

// --- redirecting the imports -----------------------------------------------------------------

// Rewrites every slot of the executable's import table that holds `from`.
void RewriteSlots(void* from, void* to)
{
    auto* base = reinterpret_cast<std::uint8_t*>(GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (dir.VirtualAddress == 0)
        return;
    for (auto* desc = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
         desc->Name != 0; ++desc) {
        for (auto* slot = reinterpret_cast<void**>(base + desc->FirstThunk); *slot; ++slot) {
            if (*slot != from)
                continue;
            DWORD old = 0;
            if (VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old)) {
                InterlockedExchangePointer(slot, to);
                VirtualProtect(slot, sizeof *slot, old, &old);
            }
        }
    }
}

// Sets `original` to the system's procedure and, where the executable imports it, sends its
// calls to `hook`. The types of the two must agree.
template <typename TProc>
void Redirect(const char* library, const char* name, TProc hook, TProc& original)
{
    HMODULE module = GetModuleHandleA(library);
    original = module ? reinterpret_cast<TProc>(GetProcAddress(module, name)) : nullptr;
    if (original)
        RewriteSlots(reinterpret_cast<void*>(original), reinterpret_cast<void*>(hook));
}

void RedirectImports()
{
    const char* gdi = "gdi32.dll";
    Redirect(gdi, "CreateSolidBrush", &HookCreateSolidBrush, Real.CreateSolidBrush);
    Redirect(gdi, "CreateHatchBrush", &HookCreateHatchBrush, Real.CreateHatchBrush);
    Redirect(gdi, "CreatePatternBrush", &HookCreatePatternBrush, Real.CreatePatternBrush);
    Redirect(gdi, "CreateBrushIndirect", &HookCreateBrushIndirect, Real.CreateBrushIndirect);
    Redirect(gdi, "CreateDIBPatternBrushPt", &HookCreateDIBPatternBrushPt, Real.CreateDIBPatternBrushPt);
    Redirect(gdi, "CreatePen", &HookCreatePen, Real.CreatePen);
    Redirect(gdi, "CreatePenIndirect", &HookCreatePenIndirect, Real.CreatePenIndirect);
    Redirect(gdi, "ExtCreatePen", &HookExtCreatePen, Real.ExtCreatePen);
    Redirect(gdi, "CreateFontA", &HookCreateFontA, Real.CreateFontA);
    Redirect(gdi, "CreateFontW", &HookCreateFontW, Real.CreateFontW);
    Redirect(gdi, "CreateFontIndirectA", &HookCreateFontIndirectA, Real.CreateFontIndirectA);
    Redirect(gdi, "CreateFontIndirectW", &HookCreateFontIndirectW, Real.CreateFontIndirectW);
    Redirect(gdi, "CreateBitmap", &HookCreateBitmap, Real.CreateBitmap);
    Redirect(gdi, "CreateBitmapIndirect", &HookCreateBitmapIndirect, Real.CreateBitmapIndirect);
    Redirect(gdi, "CreateCompatibleBitmap", &HookCreateCompatibleBitmap, Real.CreateCompatibleBitmap);
    Redirect(gdi, "CreateDIBitmap", &HookCreateDIBitmap, Real.CreateDIBitmap);
    Redirect(gdi, "CreateDIBSection", &HookCreateDIBSection, Real.CreateDIBSection);
    Redirect(gdi, "CreateRectRgn", &HookCreateRectRgn, Real.CreateRectRgn);
    Redirect(gdi, "CreateRectRgnIndirect", &HookCreateRectRgnIndirect, Real.CreateRectRgnIndirect);
    Redirect(gdi, "CreateRoundRectRgn", &HookCreateRoundRectRgn, Real.CreateRoundRectRgn);
    Redirect(gdi, "CreateEllipticRgn", &HookCreateEllipticRgn, Real.CreateEllipticRgn);
    Redirect(gdi, "CreateEllipticRgnIndirect", &HookCreateEllipticRgnIndirect, Real.CreateEllipticRgnIndirect);
    Redirect(gdi, "CreatePolygonRgn", &HookCreatePolygonRgn, Real.CreatePolygonRgn);
    Redirect(gdi, "CreatePolyPolygonRgn", &HookCreatePolyPolygonRgn, Real.CreatePolyPolygonRgn);
    Redirect(gdi, "ExtCreateRegion", &HookExtCreateRegion, Real.ExtCreateRegion);
    Redirect(gdi, "PathToRegion", &HookPathToRegion, Real.PathToRegion);
    Redirect(gdi, "CreatePalette", &HookCreatePalette, Real.CreatePalette);
    Redirect(gdi, "CreateHalftonePalette", &HookCreateHalftonePalette, Real.CreateHalftonePalette);
    Redirect(gdi, "CreateCompatibleDC", &HookCreateCompatibleDC, Real.CreateCompatibleDC);
    Redirect(gdi, "CreateDCA", &HookCreateDCA, Real.CreateDCA);
    Redirect(gdi, "CreateDCW", &HookCreateDCW, Real.CreateDCW);
    Redirect(gdi, "CreateICA", &HookCreateICA, Real.CreateICA);
    Redirect(gdi, "CreateICW", &HookCreateICW, Real.CreateICW);
    Redirect(gdi, "DeleteObject", &HookDeleteObject, Real.DeleteObject);
    Redirect(gdi, "DeleteDC", &HookDeleteDC, Real.DeleteDC);

    const char* user = "user32.dll";
    Redirect(user, "GetDC", &HookGetDC, Real.GetDC);
    Redirect(user, "GetWindowDC", &HookGetWindowDC, Real.GetWindowDC);
    Redirect(user, "GetDCEx", &HookGetDCEx, Real.GetDCEx);
    Redirect(user, "ReleaseDC", &HookReleaseDC, Real.ReleaseDC);
    Redirect(user, "SetWindowRgn", &HookSetWindowRgn, Real.SetWindowRgn);
    Redirect(user, "SetClipboardData", &HookSetClipboardData, Real.SetClipboardData);
    Redirect(user, "LoadBitmapA", &HookLoadBitmapA, Real.LoadBitmapA);
    Redirect(user, "LoadBitmapW", &HookLoadBitmapW, Real.LoadBitmapW);
    Redirect(user, "LoadImageA", &HookLoadImageA, Real.LoadImageA);
    Redirect(user, "LoadImageW", &HookLoadImageW, Real.LoadImageW);
    Redirect(user, "CopyImage", &HookCopyImage, Real.CopyImage);
    Redirect(user, "CreateIconIndirect", &HookCreateIconIndirect, Real.CreateIconIndirect);
    Redirect(user, "CreateIconFromResourceEx", &HookCreateIconFromResourceEx, Real.CreateIconFromResourceEx);
    Redirect(user, "CopyIcon", &HookCopyIcon, Real.CopyIcon);
    Redirect(user, "CreateCursor", &HookCreateCursor, Real.CreateCursor);
    Redirect(user, "DestroyIcon", &HookDestroyIcon, Real.DestroyIcon);
    Redirect(user, "DestroyCursor", &HookDestroyCursor, Real.DestroyCursor);

    const char* kernel = "kernel32.dll";
    Redirect(kernel, "CreateEventA", &HookCreateEventA, Real.CreateEventA);
    Redirect(kernel, "CreateEventW", &HookCreateEventW, Real.CreateEventW);
    Redirect(kernel, "CreateMutexA", &HookCreateMutexA, Real.CreateMutexA);
    Redirect(kernel, "CreateMutexW", &HookCreateMutexW, Real.CreateMutexW);
    Redirect(kernel, "CreateSemaphoreA", &HookCreateSemaphoreA, Real.CreateSemaphoreA);
    Redirect(kernel, "CreateSemaphoreW", &HookCreateSemaphoreW, Real.CreateSemaphoreW);
    Redirect(kernel, "CreateWaitableTimerA", &HookCreateWaitableTimerA, Real.CreateWaitableTimerA);
    Redirect(kernel, "CreateWaitableTimerW", &HookCreateWaitableTimerW, Real.CreateWaitableTimerW);
    Redirect(kernel, "OpenEventA", &HookOpenEventA, Real.OpenEventA);
    Redirect(kernel, "OpenEventW", &HookOpenEventW, Real.OpenEventW);
    Redirect(kernel, "OpenMutexA", &HookOpenMutexA, Real.OpenMutexA);
    Redirect(kernel, "OpenMutexW", &HookOpenMutexW, Real.OpenMutexW);
    Redirect(kernel, "CreateThread", &HookCreateThread, Real.CreateThread);
    Redirect("msvcrt.dll", "_beginthreadex", &HookBeginThreadEx, Real.BeginThreadEx);
    Redirect(kernel, "OpenThread", &HookOpenThread, Real.OpenThread);
    Redirect(kernel, "OpenProcess", &HookOpenProcess, Real.OpenProcess);
    Redirect(kernel, "CreateProcessA", &HookCreateProcessA, Real.CreateProcessA);
    Redirect(kernel, "CreateProcessW", &HookCreateProcessW, Real.CreateProcessW);
    Redirect(kernel, "CreateFileA", &HookCreateFileA, Real.CreateFileA);
    Redirect(kernel, "CreateFileW", &HookCreateFileW, Real.CreateFileW);
    Redirect(kernel, "CreateFileMappingA", &HookCreateFileMappingA, Real.CreateFileMappingA);
    Redirect(kernel, "CreateFileMappingW", &HookCreateFileMappingW, Real.CreateFileMappingW);
    Redirect(kernel, "CreatePipe", &HookCreatePipe, Real.CreatePipe);
    Redirect(kernel, "CreateNamedPipeA", &HookCreateNamedPipeA, Real.CreateNamedPipeA);
    Redirect(kernel, "CreateNamedPipeW", &HookCreateNamedPipeW, Real.CreateNamedPipeW);
    Redirect(kernel, "CreateMailslotA", &HookCreateMailslotA, Real.CreateMailslotA);
    Redirect(kernel, "CreateMailslotW", &HookCreateMailslotW, Real.CreateMailslotW);
    Redirect(kernel, "CreateIoCompletionPort", &HookCreateIoCompletionPort, Real.CreateIoCompletionPort);
    Redirect(kernel, "CreateToolhelp32Snapshot", &HookCreateToolhelp32Snapshot, Real.CreateToolhelp32Snapshot);
    Redirect(kernel, "DuplicateHandle", &HookDuplicateHandle, Real.DuplicateHandle);
    Redirect(kernel, "FindFirstFileA", &HookFindFirstFileA, Real.FindFirstFileA);
    Redirect(kernel, "FindFirstFileW", &HookFindFirstFileW, Real.FindFirstFileW);
    Redirect(kernel, "FindClose", &HookFindClose, Real.FindClose);
    Redirect(kernel, "FindFirstChangeNotificationA", &HookFindFirstChangeNotificationA,
             Real.FindFirstChangeNotificationA);
    Redirect(kernel, "FindFirstChangeNotificationW", &HookFindFirstChangeNotificationW,
             Real.FindFirstChangeNotificationW);
    Redirect(kernel, "FindCloseChangeNotification", &HookFindCloseChangeNotification,
             Real.FindCloseChangeNotification);
    Redirect(kernel, "CloseHandle", &HookCloseHandle, Real.CloseHandle);

    const char* advapi = "advapi32.dll";
    Redirect(advapi, "RegOpenKeyExA", &HookRegOpenKeyExA, Real.RegOpenKeyExA);
    Redirect(advapi, "RegOpenKeyExW", &HookRegOpenKeyExW, Real.RegOpenKeyExW);
    Redirect(advapi, "RegCreateKeyExA", &HookRegCreateKeyExA, Real.RegCreateKeyExA);
    Redirect(advapi, "RegCreateKeyExW", &HookRegCreateKeyExW, Real.RegCreateKeyExW);
    Redirect(advapi, "RegCloseKey", &HookRegCloseKey, Real.RegCloseKey);
}

// --- windows ---------------------------------------------------------------------------------

BOOL CALLBACK CountChild(HWND, LPARAM count)
{
    ++*reinterpret_cast<long*>(count);
    return TRUE;
}

// A window of this process with all its descendants.
void CountTree(HWND window, long& count)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId())
        return;
    ++count;
    EnumChildWindows(window, CountChild, reinterpret_cast<LPARAM>(&count));
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM count)
{
    CountTree(window, *reinterpret_cast<long*>(count));
    return TRUE;
}

long CountWindows()
{
    long count = 0;
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&count));
    // Message-only windows are not top-level windows of the desktop.
    for (HWND w = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); w;
         w = FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr))
        CountTree(w, count);
    return count;
}

}  // namespace

TLiveHandles CountLiveHandles()
{
    // The tracker exists before any hook can need it: building it from inside a hook could wait
    // on the guard of its own construction.
    TTracker& tracker = Tracker();
    static const bool redirected = (RedirectImports(), true);
    (void)redirected;
    static const TRuntimeCode runtime;
    TLiveHandles counts;
    counts.Gdi = tracker.Count(TKind::Gdi, runtime);
    counts.User = tracker.Count(TKind::User, runtime) + CountWindows();
    counts.Kernel = tracker.Count(TKind::Kernel, runtime);
    return counts;
}

long CountDeletesOfGivenHandles()
{
    CountLiveHandles();
    return Tracker().GivenDeletes();
}

}  // namespace test_support
