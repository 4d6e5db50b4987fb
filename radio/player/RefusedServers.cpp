#include "radio/player/RefusedServers.h"

#include <map>
#include <mutex>

#include "radio/player/TextUtils.h"

namespace radio {

namespace {

// Noted on the threads that connect, read on the window's.
std::mutex guard;

std::map<std::string, std::string>& Refused()
{
    static std::map<std::string, std::string> refused;
    return refused;
}

std::string KeyOf(const TStreamUrl& server) { return Lower(server.Host) + ":" + std::to_string(server.Port); }

}  // namespace

void NoteRefusedServer(const TStreamUrl& server, const std::string& reason)
{
    const std::lock_guard<std::mutex> lock(guard);
    Refused()[KeyOf(server)] = reason;
}

std::string RefusalOf(const std::string& address)
{
    const auto server = ParseStreamUrl(address);
    if (!server)
        return {};
    const std::lock_guard<std::mutex> lock(guard);
    const auto found = Refused().find(KeyOf(*server));
    return found == Refused().end() ? std::string() : found->second;
}

}  // namespace radio
