// The clipboard's text over OpenClipboard/GetClipboardData.
#include "classlib/stdctrls/Clipbrd.h"

#include <windows.h>

#include <cstring>

#include "classlib/platform/CallbackWindow.h"
#include "classlib/system/CoreConsts.h"

namespace cl {

namespace {

// The clipboard's owner: a clipboard opened without a window refuses new data.
HWND OwnerWindow()
{
    static HWND owner = AllocateHWnd([](TMessage& Message) {
        Message.Result = DefWindowProcA(owner, Message.Msg, Message.WParam, Message.LParam);
    });
    return owner;
}

// Open for as long as the object lives; another program may hold it, which is an error.
class TClipboardLock {
public:
    TClipboardLock()
    {
        if (!OpenClipboard(OwnerWindow()))
            throw EClipboardException(consts::SCannotOpenClipboard);
    }
    ~TClipboardLock() { CloseClipboard(); }
    TClipboardLock(const TClipboardLock&) = delete;
    TClipboardLock& operator=(const TClipboardLock&) = delete;
};

// Global memory handed to the clipboard; freed here unless the clipboard took it.
class TGlobalBlock {
public:
    explicit TGlobalBlock(std::size_t Size) : handle_(GlobalAlloc(GMEM_MOVEABLE, Size))
    {
        if (!handle_)
            throw EOutOfMemory(consts::SOutOfMemory);
    }
    ~TGlobalBlock()
    {
        if (handle_)
            GlobalFree(handle_);
    }
    TGlobalBlock(const TGlobalBlock&) = delete;
    TGlobalBlock& operator=(const TGlobalBlock&) = delete;
    void Fill(const void* Data, std::size_t Size)
    {
        void* p = GlobalLock(handle_);
        std::memcpy(p, Data, Size);
        GlobalUnlock(handle_);
    }
    void GiveTo(UINT Format)
    {
        if (SetClipboardData(Format, handle_))
            handle_ = nullptr;
    }

private:
    HGLOBAL handle_;
};

template <class Char>
std::basic_string<Char> ReadText(UINT Format)
{
    HANDLE data = GetClipboardData(Format);
    if (!data)
        return {};
    const auto* p = static_cast<const Char*>(GlobalLock(data));
    if (!p)
        return {};
    // The block may lack its terminator: never read past its size.
    const std::size_t limit = GlobalSize(data) / sizeof(Char);
    std::size_t n = 0;
    while (n < limit && p[n] != 0)
        ++n;
    std::basic_string<Char> s(p, n);
    GlobalUnlock(data);
    return s;
}

}  // namespace

TClipboard* Clipboard()
{
    static TClipboard clipboard;
    return &clipboard;
}

bool TClipboard::HasText() const
{
    return IsClipboardFormatAvailable(CF_TEXT) || IsClipboardFormatAvailable(CF_UNICODETEXT);
}

AnsiString TClipboard::AsText() const
{
    TClipboardLock lock;
    return ReadText<char>(CF_TEXT);
}

WideString TClipboard::AsWideText() const
{
    TClipboardLock lock;
    return ReadText<wchar_t>(CF_UNICODETEXT);
}

void TClipboard::SetAsText(const AnsiString& Value)
{
    TGlobalBlock block(Value.size() + 1);
    block.Fill(Value.c_str(), Value.size() + 1);
    TClipboardLock lock;
    EmptyClipboard();
    block.GiveTo(CF_TEXT);
}

void TClipboard::SetAsWideText(const WideString& Value)
{
    TGlobalBlock block((Value.size() + 1) * sizeof(wchar_t));
    block.Fill(Value.c_str(), (Value.size() + 1) * sizeof(wchar_t));
    TClipboardLock lock;
    EmptyClipboard();
    block.GiveTo(CF_UNICODETEXT);
}

void TClipboard::Clear()
{
    TClipboardLock lock;
    EmptyClipboard();
}

}  // namespace cl
