// The program's sockets and sound output, loaded on their first call: the first window needs
// neither the network nor the sound, and a start that plays nothing never does. Only the
// program links this file. A procedure of these libraries that is missing here comes from its
// import library, as before, and brings the library back among those loaded at start.
#include "classlib/system/LazyImport.h"

using cl::lazy_import::TWord;

namespace {
constexpr char kSockets[] = "ws2_32.dll";
constexpr char kSound[] = "winmm.dll";
}  // namespace

CL_LAZY_IMPORT(kSockets, WSAStartup, 8, TWord, TWord)
CL_LAZY_IMPORT(kSockets, WSACleanup, 0)
CL_LAZY_IMPORT(kSockets, WSAGetLastError, 0)
CL_LAZY_IMPORT(kSockets, WSACreateEvent, 0)
CL_LAZY_IMPORT(kSockets, WSAEventSelect, 12, TWord, TWord, TWord)
CL_LAZY_IMPORT(kSockets, WSAEnumNetworkEvents, 12, TWord, TWord, TWord)
CL_LAZY_IMPORT(kSockets, __WSAFDIsSet, 8, TWord, TWord)
CL_LAZY_IMPORT(kSockets, socket, 12, TWord, TWord, TWord)
CL_LAZY_IMPORT(kSockets, closesocket, 4, TWord)
CL_LAZY_IMPORT(kSockets, connect, 12, TWord, TWord, TWord)
CL_LAZY_IMPORT(kSockets, getaddrinfo, 16, TWord, TWord, TWord, TWord)
CL_LAZY_IMPORT(kSockets, freeaddrinfo, 4, TWord)
CL_LAZY_IMPORT(kSockets, gethostname, 8, TWord, TWord)
CL_LAZY_IMPORT(kSockets, getsockopt, 20, TWord, TWord, TWord, TWord, TWord)
CL_LAZY_IMPORT(kSockets, ioctlsocket, 12, TWord, TWord, TWord)
CL_LAZY_IMPORT(kSockets, select, 20, TWord, TWord, TWord, TWord, TWord)
CL_LAZY_IMPORT(kSockets, send, 16, TWord, TWord, TWord, TWord)
CL_LAZY_IMPORT(kSockets, recv, 16, TWord, TWord, TWord, TWord)

CL_LAZY_IMPORT(kSound, waveOutOpen, 24, TWord, TWord, TWord, TWord, TWord, TWord)
CL_LAZY_IMPORT(kSound, waveOutClose, 4, TWord)
CL_LAZY_IMPORT(kSound, waveOutPrepareHeader, 12, TWord, TWord, TWord)
CL_LAZY_IMPORT(kSound, waveOutUnprepareHeader, 12, TWord, TWord, TWord)
CL_LAZY_IMPORT(kSound, waveOutWrite, 12, TWord, TWord, TWord)
CL_LAZY_IMPORT(kSound, waveOutReset, 4, TWord)

// The header's FD_ISSET calls this one by its own name rather than through its slot.
extern "C" int WINAPI LazyWsaFdIsSet(TWord Socket, TWord Set) asm("___WSAFDIsSet@8");
extern "C" int WINAPI LazyWsaFdIsSet(TWord Socket, TWord Set)
{
    return static_cast<int>(reinterpret_cast<TWord(WINAPI*)(TWord, TWord)>(lazySlot___WSAFDIsSet)(Socket, Set));
}
