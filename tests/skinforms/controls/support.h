#pragma once
// Keys as the platform delivers them, held modifier keys and a clipboard held by another
// thread, for the box-control tests.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <initializer_list>
#include <iterator>
#include <string>
#include <thread>

namespace boxtest {

// Holds the given keys down in this thread's key state for as long as it lives.
class TKeysHeld {
public:
    explicit TKeysHeld(std::initializer_list<int> Keys)
    {
        GetKeyboardState(saved_);
        BYTE state[256];
        std::copy(std::begin(saved_), std::end(saved_), state);
        for (int k : Keys)
            state[k] = 0x80;
        SetKeyboardState(state);
    }
    ~TKeysHeld() { SetKeyboardState(saved_); }
    TKeysHeld(const TKeysHeld&) = delete;
    TKeysHeld& operator=(const TKeysHeld&) = delete;

private:
    BYTE saved_[256];
};

// A key press as the message loop hands it over: the key-down, then its character if any.
inline void PressKey(HWND Wnd, WPARAM Key, char Char = 0)
{
    SendMessageA(Wnd, WM_KEYDOWN, Key, 1);
    if (Char)
        SendMessageA(Wnd, WM_CHAR, static_cast<unsigned char>(Char), 1);
    SendMessageA(Wnd, WM_KEYUP, Key, 0xC0000001);
}

inline void Type(HWND Wnd, const std::string& Text)
{
    for (char c : Text) {
        const SHORT vk = VkKeyScanA(c);
        PressKey(Wnd, vk == -1 ? 0 : LOBYTE(vk), c);
    }
}

// Puts Unicode text on the clipboard, trying a few times while the X bridge is busy.
inline bool PutClipboardText(const std::wstring& Text)
{
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (Text.size() + 1) * sizeof(wchar_t));
            auto* p = static_cast<wchar_t*>(GlobalLock(block));
            std::copy(Text.begin(), Text.end(), p);
            p[Text.size()] = 0;
            GlobalUnlock(block);
            const bool ok = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
            if (!ok)
                GlobalFree(block);
            CloseClipboard();
            return ok;
        }
        Sleep(10);
    }
    return false;
}

// The clipboard's Unicode text, or "<none>".
inline std::wstring ClipboardText()
{
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (OpenClipboard(nullptr)) {
            std::wstring s = L"<none>";
            if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
                s = static_cast<const wchar_t*>(GlobalLock(h));
                GlobalUnlock(h);
            }
            CloseClipboard();
            return s;
        }
        Sleep(10);
    }
    return L"<busy>";
}

// Another thread holds the clipboard open until Release.
class TClipboardHolder {
public:
    TClipboardHolder()
        : thread_([this] {
              held_ = OpenClipboard(nullptr) != FALSE;
              opened_ = true;
              while (!release_)
                  Sleep(1);
              if (held_)
                  CloseClipboard();
          })
    {
        while (!opened_)
            Sleep(1);
    }
    ~TClipboardHolder() { Release(); }
    bool Held() const { return held_; }
    void Release()
    {
        release_ = true;
        if (thread_.joinable())
            thread_.join();
    }

private:
    std::atomic<bool> held_{false}, opened_{false}, release_{false};
    std::thread thread_;
};

}  // namespace boxtest
