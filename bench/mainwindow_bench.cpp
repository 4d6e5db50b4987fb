// The main window, shown at its full size with stations in its list:
//  - a skin switch against one full repaint of the window (the switch's own time in ms is the
//    value);
//  - the GDI objects the program holds after 100 skin switches against after one, both ending
//    on the same skin;
//  - the time from a left click on a station to the first buffer handed to the sound output
//    (the stream player reports "Playing" right after it), against the same for the bare player;
//  - how long the first click on a station holds the window painted and idle as a user finds
//    it, with the program's own player against the bare stream player;
//  - a switch from a playing station to another, clicked in the list as a user does, to the
//    first buffer of the new station handed to waveOut, against the same switch made on the
//    bare stream player (stop, then the new address).
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "radio/directory/ImportSlotHook.h"
#include "radio/player/StreamTestServer.h"
#include "bench/bench_windows.h"
#include "classlib/ole/ComObj.h"
#include "radio/directory/RadioChannelManager.h"
#include "radio/directory/RegistryManager.h"
#include "radio/player/StreamPlayer.h"
#include "radio/forms/RadioMain.h"
#include "support/LiveHandles.h"
#include "support/RealInput.h"

using namespace cl;

namespace {

using bench::Pump;

double NowMs()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Handles messages until Done or the bound; false at the bound.
bool PumpUntil(const std::function<bool()>& Done, double LimitMs = 15000)
{
    const double start = NowMs();
    while (!Done()) {
        if (NowMs() - start > LimitMs)
            return false;
        Application->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    return true;
}

std::string StationXml(const std::string& Name, const std::string& Stream, const std::string& Category)
{
    return "<Station Name=\"" + Name + "\" StreamURL=\"" + Stream + "\" Category=\"" + Category + "\"/>";
}

// A folder of its own for the directory's cache, removed with what the directory wrote.
struct TScratchFolder {
    std::string Path;
    TScratchFolder()
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        Path = std::string(temp) + "trebanix-bench-main-" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(Path.c_str(), nullptr);
    }
    ~TScratchFolder()
    {
        DeleteFileA((Path + "data\\qsRadioChannels.xml").c_str());
        RemoveDirectoryA((Path + "data").c_str());
        RemoveDirectoryA(Path.c_str());
    }
};

// The settings the window reads and writes, put back at the end.
struct TSavedSettings {
    std::string LastURL = TRegManager().GetLastRadioURL();
    bool StoreSkin = TRegManager().GetStoreRadioSkin();
    ~TSavedSettings()
    {
        TRegManager().SetLastRadioURL(LastURL);
        TRegManager().SetStoreRadioSkin(StoreSkin);
    }
};

using TFormOwner = std::unique_ptr<TfrmRadioMain, void (*)(TfrmRadioMain*)>;

// WithBrowser: the program's own browser control, as the program has it; else none.
TFormOwner ShowMainWindow(TRadioChannelManager& Directory, std::function<std::unique_ptr<TMediaPlayer>()> Player,
                          bool WithBrowser = false)
{
    TRadioMainServices services = DefaultRadioMainServices();
    if (Player)
        services.CreatePlayer = std::move(Player);
    if (!WithBrowser)
        services.CreateBrowser = [](TWinControl*) { return std::unique_ptr<TWebBrowser>(); };
    services.ShowMessage = [](const std::string&) {};
    services.Directory = [&Directory] { return &Directory; };
    TFormOwner form(new TfrmRadioMain(nullptr, services), [](TfrmRadioMain* F) { F->Free(); });
    form->HandleNeeded();
    form->AfterConstruction();
    form->SetBounds(0, 0, TfrmRadioMain::RolledOutWidth, 760);
    form->Show();
    Pump();
    return form;
}

void SwitchTo(TfrmRadioMain& Form, int Index)
{
    Form.SetStoredSkin(Form.SkinList[static_cast<std::size_t>(Index)]);
    UpdateWindow(Form.Handle());
    Pump();
}

void BenchSkinSwitches(TRadioChannelManager& Directory)
{
    // Counting starts before the window exists: everything it makes is seen.
    const test_support::TLiveHandles base = test_support::CountLiveHandles();
    TFormOwner form = ShowMainWindow(Directory, {});

    const int pair[] = {33, 12};
    int next = 0;
    const double change = bench::MedianFlushedMilliseconds(11, [&] {
        SwitchTo(*form, pair[next]);
        next ^= 1;
    });
    const double repaint = bench::MedianFlushedMilliseconds(11, [&] {
        RedrawWindow(form->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump();
    });
    bench::Report("mainwindow_skin_switch", change, repaint, "5");

    // Switch i (from 1) goes to skin (i - 1) % 33: the first and the hundredth both to skin 0.
    const int cycle = 33;
    SwitchTo(*form, 0);
    const long afterOne = (test_support::CountLiveHandles() - base).Gdi;
    for (int i = 2; i <= 100; ++i)
        SwitchTo(*form, (i - 1) % cycle);
    const long afterHundred = (test_support::CountLiveHandles() - base).Gdi;
    bench::Report("mainwindow_gdi_objects_after_100_skin_switches", static_cast<double>(afterHundred), "objects",
           static_cast<double>(afterOne), "1");
}

// Clicks the station's button as a user does; answers how long the click held the window.
double ClickStation(TfrmRadioMain& Form, const std::string& Stream)
{
    TskButtonItem* button = Form.FindChannelCategoryButton(Stream);
    if (!button)
        throw cl::Exception("the station is not listed");
    button->GetCategory()->SetCollapsed(false);
    Form.scbRadioStations->ScrollButtonIntoView(button);
    Pump();
    const TRect r = Form.scbRadioStations->GetButtonRect(button);
    const LPARAM at = MAKELPARAM((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    const double start = NowMs();
    SendMessageA(Form.scbRadioStations->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(Form.scbRadioStations->Handle(), WM_LBUTTONUP, 0, at);
    return NowMs() - start;
}

void BenchStationClick()
{
    player_test::TStreamTestServer server;
    const std::string tones[] = {server.Url("/tone.mp3"), server.Url("/tone22.mp3")};

    // The bare player: from its address to its first buffer.
    std::vector<double> bare;
    for (int run = 0; run < 5; ++run) {
        radio::TStreamPlayer player;
        bool playing = false;
        player.OnStatusChange = [&](TObject*) { playing = playing || player.Status() == "Playing"; };
        const double start = NowMs();
        player.SetURL(tones[run % 2]);
        if (!PumpUntil([&] { return playing; })) {
            std::fprintf(stderr, "mainwindow_bench: the player does not play (no sound device?): %s\n",
                         player.Status().c_str());
            return;
        }
        bare.push_back(NowMs() - start);
    }

    TScratchFolder folder;
    TRadioChannelManager directory(folder.Path);
    directory.LoadFromXmlString("<Stations>" + StationXml("Tone 1000", tones[0], "Tones") +
                                StationXml("Tone 440", tones[1], "Tones") + "</Stations>");
    TRegManager().SetLastRadioURL("");
    TFormOwner form =
        ShowMainWindow(directory, [] { return std::unique_ptr<TMediaPlayer>(new radio::TStreamPlayer()); });
    std::vector<double> clicks;
    for (int run = 0; run < 6; ++run) {
        const double start = NowMs();
        ClickStation(*form, tones[run % 2]);
        if (!PumpUntil([&] { return form->labWMPState->Caption() == "Playing"; })) {
            std::fprintf(stderr, "mainwindow_bench: the clicked station does not play: %s\n",
                         form->labWMPState->Caption().c_str());
            return;
        }
        clicks.push_back(NowMs() - start);
    }
    bench::Report("mainwindow_station_click_to_first_buffer", bench::MedianOf(clicks), bench::MedianOf(bare), "-");
}

// The first click on a station in a window painted and left idle, as a user finds it: with the
// program's own player, which has a choice to make, against a window whose player is the bare
// stream player, ready from its start. Run before any other window of the process.
void BenchFirstPlay()
{
    player_test::TStreamTestServer server;
    const std::string tone = server.Url("/tone.mp3");
    TScratchFolder folder;
    TRadioChannelManager directory(folder.Path);
    directory.LoadFromXmlString("<Stations>" + StationXml("Tone 1000", tone, "Tones") + "</Stations>");
    const auto firstClick = [&](std::function<std::unique_ptr<TMediaPlayer>()> Player) {
        // No station to start with: the click is the first play.
        TRegManager().SetLastRadioURL("");
        TFormOwner form = ShowMainWindow(directory, std::move(Player));
        const double idleFrom = NowMs();
        PumpUntil([&] { return NowMs() - idleFrom > 500; });
        const double held = ClickStation(*form, tone);
        if (!PumpUntil([&] { return form->labWMPState->Caption() == "Playing"; }))
            throw cl::Exception("the first station does not play: " + form->labWMPState->Caption());
        return held;
    };
    const auto barePlayer = [] { return std::unique_ptr<TMediaPlayer>(new radio::TStreamPlayer()); };
    // What every first click of the process pays once (the first station thread, the first
    // pages) is paid before; only the process's first choice loads what the media player
    // control needs, so that is one figure.
    firstClick(barePlayer);
    const double program = firstClick({});
    std::vector<double> bare;
    for (int run = 0; run < 5; ++run)
        bare.push_back(firstClick(barePlayer));
    bench::Report("mainwindow_first_play_holds_window", program, bench::MedianOf(bare), "2");
}

// The sound output as the program drives it, seen where it calls the system: the first write
// to a device opened after the mark is the new station's first buffer.
class TNewDeviceWatch {
public:
    TNewDeviceWatch()
        : open_("winmm.dll", "waveOutOpen", reinterpret_cast<void*>(&Open)),
          write_("winmm.dll", "waveOutWrite", reinterpret_cast<void*>(&Write))
    {
        self_ = this;
    }
    ~TNewDeviceWatch() { self_ = nullptr; }
    bool Installed() const { return open_.Installed() && write_.Installed(); }
    void Mark()
    {
        firstWrite_ = 0;
        newDevice_ = nullptr;
        marked_ = true;
    }
    // Milliseconds (on NowMs's clock) of the first write to a device opened since the mark;
    // 0 while none.
    double FirstNewWrite() const { return firstWrite_; }

private:
    static MMRESULT WINAPI Open(LPHWAVEOUT Device, UINT Id, LPCWAVEFORMATEX Format, DWORD_PTR Callback,
                                DWORD_PTR Instance, DWORD Flags)
    {
        const MMRESULT result =
            self_->open_.Original<decltype(&waveOutOpen)>()(Device, Id, Format, Callback, Instance, Flags);
        if (result == MMSYSERR_NOERROR && Device && self_->marked_)
            self_->newDevice_ = *Device;
        return result;
    }
    static MMRESULT WINAPI Write(HWAVEOUT Device, LPWAVEHDR Header, UINT Size)
    {
        if (self_->marked_ && Device == self_->newDevice_) {
            self_->firstWrite_ = NowMs();
            self_->marked_ = false;
        }
        return self_->write_.Original<decltype(&waveOutWrite)>()(Device, Header, Size);
    }

    static inline TNewDeviceWatch* self_ = nullptr;
    TImportSlotHook open_;
    TImportSlotHook write_;
    std::atomic<bool> marked_{false};
    std::atomic<HWAVEOUT> newDevice_{nullptr};
    std::atomic<double> firstWrite_{0};
};

// Lets a playing station play on for a moment: its buffers are full and its thread waits for
// the device, as when a user listens before choosing another.
void ListenAWhile()
{
    const double from = NowMs();
    PumpUntil([&] { return NowMs() - from > 400; });
}

// Waits until the new station's first buffer is out; false at the bound.
bool UntilNewStationWrites(const TNewDeviceWatch& Watch)
{
    return PumpUntil([&] { return Watch.FirstNewWrite() != 0; });
}

void BenchStationSwitch()
{
    player_test::TStreamTestServer server;
    const std::string tones[] = {server.Url("/tone.mp3"), server.Url("/tone22.mp3")};
    TNewDeviceWatch watch;
    if (!watch.Installed()) {
        std::fprintf(stderr, "mainwindow_bench: the sound output's writes cannot be watched\n");
        return;
    }

    // The program's window with its own player and browser; each station has a site.
    TScratchFolder folder;
    TRadioChannelManager directory(folder.Path);
    const std::string site = " WebsiteURL=\"" + server.Url("/page.html") + "\"";
    directory.LoadFromXmlString("<Stations><Station Name=\"Tone 1000\" StreamURL=\"" + tones[0] +
                                "\" Category=\"Tones\"" + site + "/><Station Name=\"Tone 440\" StreamURL=\"" +
                                tones[1] + "\" Category=\"Tones\"" + site + "/></Stations>");
    TRegManager().SetLastRadioURL("");
    // The window's own player, held here only to silence it while the bare player is measured.
    TMediaPlayer* windowPlayer = nullptr;
    TFormOwner form = ShowMainWindow(
        directory,
        [&windowPlayer] {
            std::unique_ptr<TMediaPlayer> player = DefaultRadioMainServices().CreatePlayer();
            windowPlayer = player.get();
            return player;
        },
        true);
    const auto click = [&](const std::string& Stream) {
        TskButtonItem* button = form->FindChannelCategoryButton(Stream);
        if (!button)
            throw cl::Exception("the station is not listed");
        button->GetCategory()->SetCollapsed(false);
        const TRect r = form->scbRadioStations->GetButtonRect(button);
        POINT at{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
        ClientToScreen(form->scbRadioStations->Handle(), &at);
        test_support::PointerAtScreen(at.x, at.y);
        SetForegroundWindow(form->Handle());
        Pump();
        watch.Mark();
        const double start = NowMs();
        test_support::ClickButtonAt(at.x, at.y);
        if (!UntilNewStationWrites(watch))
            throw cl::Exception("the clicked station does not play: " + form->labWMPState->Caption());
        return watch.FirstNewWrite() - start;
    };

    // Turn about, so that both meet the same load: a switch in the window, then the same on
    // the bare player, each while the other is silent.
    radio::TStreamPlayer player;
    std::vector<double> program, bare;
    for (int run = 0; run < 15; ++run) {
        const std::string& from = tones[run % 2];
        const std::string& to = tones[(run + 1) % 2];
        click(from);
        ListenAWhile();
        program.push_back(click(to));
        windowPlayer->SetURL("");

        watch.Mark();
        player.SetURL(from);
        if (!UntilNewStationWrites(watch))
            throw cl::Exception("the player does not play (no sound device?): " + player.Status());
        ListenAWhile();
        watch.Mark();
        const double start = NowMs();
        player.SetURL("");
        player.SetURL(to);
        if (!UntilNewStationWrites(watch))
            throw cl::Exception("the player does not switch: " + player.Status());
        bare.push_back(watch.FirstNewWrite() - start);
        player.SetURL("");
    }
    bench::Report("mainwindow_station_switch", bench::MedianOf(program), bench::MedianOf(bare), "1.3");
}

}  // namespace

int main()
{
    try {
        Application->Initialize();
        TComApartment apartment;
        TSavedSettings settings;
        TRegManager().SetStoreRadioSkin(false);
        BenchFirstPlay();
        {
            TScratchFolder folder;
            TRadioChannelManager directory(folder.Path);
            directory.LoadFromXmlString(
                "<Stations>" + StationXml("Radio Paradise", "http://127.0.0.1:9/p.mp3", "Rock") +
                StationXml("Classic Rock FM", "http://127.0.0.1:9/c.mp3", "Rock") +
                StationXml("Smooth Jazz", "http://127.0.0.1:9/s.mp3", "Jazz") +
                StationXml("Jazz &amp; Blues", "http://127.0.0.1:9/b.mp3", "Jazz") + "</Stations>");
            BenchSkinSwitches(directory);
        }
        BenchStationClick();
        BenchStationSwitch();
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mainwindow_bench: %s\n", e.what());
        return 1;
    }
}
