// The stream player's cost. The stream server runs in a child process (this program started
// with --serve), so that the CPU time of this process is the player's alone:
//  - CPU time per second of 128 kbit/s stereo MP3 played by the player's thread (network,
//    frames, decoding, volume, waveOut calls), against the CPU time of decoding the same
//    seconds with the ACM codec alone;
//  - the same for the whole process, which adds the system's sound threads behind waveOut
//    (under Wine: its PulseAudio client) and the message loop;
//  - the time from setting the URL to the first buffer handed to waveOut (the player reports
//    "Playing" right after it), against the time a bare socket takes to get the first byte of
//    the same stream.
#include <winsock2.h>
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "radio/player/StreamTestServer.h"
#include "radio/player/Mp3Decoder.h"
#include "radio/player/MpegFrame.h"
#include "radio/player/StreamPlayer.h"

namespace {

constexpr int kPlaySeconds = 60;
constexpr int kDecodeSeconds = 300;
constexpr int kStartRuns = 7;

double NowMs()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

double ProcessCpuMs()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto ms = [](FILETIME t) {
        return double((ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
    };
    return ms(kernel) + ms(user);
}

double ThreadCpuMs(HANDLE thread)
{
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(thread, &created, &exited, &kernel, &user))
        return 0;
    const auto ms = [](FILETIME t) {
        return double((ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
    };
    return ms(kernel) + ms(user);
}

// The player's thread: the only thread besides the main one that starts in this program's own
// code (the server lives in the child; the sound system's threads start in system modules).
HANDLE OpenPlayerThread()
{
    using TQuery = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<TQuery>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationThread")));
    MODULEINFO image{};
    GetModuleInformation(GetCurrentProcess(), GetModuleHandleA(nullptr), &image, sizeof image);
    const auto begin = reinterpret_cast<ULONG_PTR>(image.lpBaseOfDll);
    const ULONG_PTR end = begin + image.SizeOfImage;
    HANDLE found = nullptr;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL ok = Thread32First(snapshot, &entry); ok && query; ok = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != GetCurrentProcessId() || entry.th32ThreadID == GetCurrentThreadId())
            continue;
        HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
        ULONG_PTR start = 0;
        constexpr int kThreadQuerySetWin32StartAddress = 9;
        if (thread && query(thread, kThreadQuerySetWin32StartAddress, &start, sizeof start, nullptr) == 0 &&
            start >= begin && start < end && !found) {
            found = thread;
            continue;
        }
        if (thread)
            CloseHandle(thread);
    }
    CloseHandle(snapshot);
    return found;
}

void Report(const char* name, double value, const char* unit, double ref, const char* target)
{
    std::printf("BENCH %s value=%.3f unit=%s ref=%.3f ratio=%.3f target=%s\n", name, value, unit,
                ref, ref > 0 ? value / ref : 0.0, target);
    std::fflush(stdout);
}

void Pump(DWORD ms, const bool* until = nullptr)
{
    const double end = NowMs() + ms;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        const double left = end - NowMs();
        if ((until && *until) || left <= 0)
            return;
        // Sleeps until a message comes, as the program's message loop does.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left) + 1, QS_ALLINPUT);
    }
}

// The child: serves until its standard input closes.
int Serve()
{
    player_test::TStreamTestServer server;
    std::printf("%s\n", server.Url("").c_str());
    std::fflush(stdout);
    char c;
    DWORD read = 0;
    while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), &c, 1, &read, nullptr) && read > 0) {
    }
    return 0;
}

class TServerProcess {
public:
    TServerProcess()
    {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE childOut = nullptr, childIn = nullptr;
        CreatePipe(&fromChild_, &childOut, &inherit, 0);
        CreatePipe(&childIn, &toChild_, &inherit, 0);
        SetHandleInformation(fromChild_, HANDLE_FLAG_INHERIT, 0);
        SetHandleInformation(toChild_, HANDLE_FLAG_INHERIT, 0);
        char self[MAX_PATH];
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        std::string command = std::string("\"") + self + "\" --serve";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = childIn;
        startup.hStdOutput = childOut;
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
        PROCESS_INFORMATION info{};
        if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                           &startup, &info)) {
            process_ = info.hProcess;
            CloseHandle(info.hThread);
        }
        CloseHandle(childOut);
        CloseHandle(childIn);
        char c;
        DWORD read = 0;
        while (process_ && ReadFile(fromChild_, &c, 1, &read, nullptr) && read > 0 && c != '\n')
            if (c != '\r')
                base_ += c;
    }
    ~TServerProcess()
    {
        CloseHandle(toChild_);  // the child ends when its input closes
        if (process_) {
            if (WaitForSingleObject(process_, 5000) != WAIT_OBJECT_0)
                TerminateProcess(process_, 1);
            CloseHandle(process_);
        }
        CloseHandle(fromChild_);
    }
    const std::string& Base() const { return base_; }

private:
    HANDLE fromChild_ = nullptr;
    HANDLE toChild_ = nullptr;
    HANDLE process_ = nullptr;
    std::string base_;
};

// Milliseconds from connecting to the first byte of the stream's body, over a bare socket.
double FirstByteMs(const std::string& base, const std::string& path)
{
    const int port = std::stoi(base.substr(base.rfind(':') + 1));
    const double start = NowMs();
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<u_short>(port));
    connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    const std::string request = "GET " + path + " HTTP/1.0\r\n\r\n";
    send(s, request.data(), static_cast<int>(request.size()), 0);
    std::string reply;
    char buffer[4096];
    int n;
    while (reply.find("\r\n\r\n") == std::string::npos && (n = recv(s, buffer, sizeof buffer, 0)) > 0)
        reply.append(buffer, static_cast<std::size_t>(n));
    const double ms = NowMs() - start;
    closesocket(s);
    return ms;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// CPU milliseconds per second of audio for decoding the fixture alone through ACM.
double BareDecodeCpuPerSecond()
{
    std::ifstream in(std::string(PLAYER_TEST_AUDIO_DIR) + "/tone-1000hz-mpeg1-stereo.mp3", std::ios::binary);
    const std::vector<std::uint8_t> file(std::istreambuf_iterator<char>(in), {});
    radio::TMpegFrameFinder finder;
    finder.Append(file.data(), file.size());
    std::vector<radio::TMpegFrame> frames;
    radio::TMpegFrame frame;
    while (finder.Next(frame))
        frames.push_back(frame);
    if (frames.empty())
        return 0;
    const double framesPerSecond = frames[0].Header.SampleRate / double(frames[0].Header.SamplesPerFrame);
    const int total = static_cast<int>(kDecodeSeconds * framesPerSecond);
    radio::TMp3Decoder decoder(frames[0].Header);
    std::vector<std::uint8_t> pcm;
    const double start = ProcessCpuMs();
    for (int i = 0; i < total; ++i) {
        const auto& f = frames[static_cast<std::size_t>(i) % frames.size()];
        decoder.Decode(f.Data, f.Size, pcm);
        pcm.clear();
    }
    return (ProcessCpuMs() - start) / kDecodeSeconds;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        if (argc > 1 && std::strcmp(argv[1], "--serve") == 0)
            return Serve();
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        TServerProcess server;
        if (server.Base().empty()) {
            std::fprintf(stderr, "player_bench: the stream server did not start\n");
            return 1;
        }
        const std::string url = server.Base() + "/tone.mp3";

        std::vector<double> starts, firstBytes;
        for (int run = 0; run < kStartRuns; ++run) {
            firstBytes.push_back(FirstByteMs(server.Base(), "/tone.mp3"));
            radio::TStreamPlayer player;
            bool playing = false;
            player.OnStatusChange = [&](cl::TObject*) { playing = playing || player.Status() == "Playing"; };
            const double start = NowMs();
            player.SetURL(url);
            Pump(10000, &playing);
            if (!playing) {
                std::fprintf(stderr, "player_bench: no sound device? status %s\n", player.Status().c_str());
                return 1;
            }
            starts.push_back(NowMs() - start);
        }

        radio::TStreamPlayer player;
        bool playing = false;
        player.OnStatusChange = [&](cl::TObject*) { playing = playing || player.Status() == "Playing"; };
        player.SetURL(url);
        Pump(10000, &playing);
        Pump(500);  // past the start, when the buffers fill faster than real time
        HANDLE playerThread = OpenPlayerThread();
        if (!playerThread) {
            std::fprintf(stderr, "player_bench: the player's thread was not found\n");
            return 1;
        }
        const double cpuStart = ProcessCpuMs();
        const double threadStart = ThreadCpuMs(playerThread);
        const double wallStart = NowMs();
        Pump(kPlaySeconds * 1000);
        const double playedSeconds = (NowMs() - wallStart) / 1000.0;
        const double threadCpu = (ThreadCpuMs(playerThread) - threadStart) / playedSeconds;
        const double processCpu = (ProcessCpuMs() - cpuStart) / playedSeconds;
        CloseHandle(playerThread);
        player.SetURL("");

        const double bareCpu = BareDecodeCpuPerSecond();
        Report("player_thread_cpu_per_second_128k_stereo", threadCpu, "ms/s", bareCpu, "1.5");
        Report("player_process_cpu_per_second_128k_stereo", processCpu, "ms/s", bareCpu, "-");
        Report("player_url_to_first_buffer", Median(starts), "ms", Median(firstBytes), "-");
        WSACleanup();
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "player_bench: %s\n", e.what());
        return 1;
    }
}
