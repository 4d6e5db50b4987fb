#include "radio/directory/RegistryManager.h"

namespace {

const char* const kGeneralSkin = "Skin";
const char* const kRadioSkin = "Radio Skin";
const char* const kLastRadioURL = "Last Radio URL";
const char* const kRadioWindowPos = "Radio Window Pos";
const char* const kStoreRadioSkin = "Store Radio Skin";
const char* const kUserName = "UserName";
const char* const kPassword = "Password";
const char* const kIsEncrypted = "Is Encrypted";

}  // namespace

std::string TRegManager::KeyPath(int index)
{
    static const char* const kRoot = "\\Software\\Lumra\\Trebanix\\4.0\\";
    switch (index) {
    case rkProduct: return kRoot;
    case rkGeneral: return std::string(kRoot) + "General\\";
    case rkCommunication: return std::string(kRoot) + "Communication\\";
    case rkHardware: return std::string(kRoot) + "Hardware\\";
    case rkCompression: return std::string(kRoot) + "Compression\\";
    case rkAdditional: return std::string(kRoot) + "Additional\\";
    case rkHardwareColors: return std::string(kRoot) + "Hardware\\Colors\\";
    case rkVideoLibrary: return std::string(kRoot) + "Video Library\\";
    case rkBroadcaster: return std::string(kRoot) + "Broadcaster\\";
    default: return {};
    }
}

bool TRegManager::OpenKey(int index)
{
    std::string path = KeyPath(index);
    if (path.empty())
        return false;
    registry_.CloseKey();
    registry_.SetRootKey(HKEY_CURRENT_USER);
    return registry_.OpenKey(path, true);
}

std::string TRegManager::ReadString(int index, const char* name, const std::string& fallback)
{
    if (!OpenKey(index) || !registry_.ValueExists(name))
        return fallback;
    try {
        return registry_.ReadString(name);
    } catch (const cl::ERegistryException&) {
        // Stored with another type (by hand, or by another tool): the default, and the next
        // write stores the value with its own type again.
        return fallback;
    }
}

int TRegManager::ReadInteger(int index, const char* name, int fallback)
{
    if (!OpenKey(index) || !registry_.ValueExists(name))
        return fallback;
    try {
        return registry_.ReadInteger(name);
    } catch (const cl::ERegistryException&) {
        return fallback;
    }
}

bool TRegManager::ReadBool(int index, const char* name, bool fallback)
{
    return ReadInteger(index, name, fallback ? 1 : 0) != 0;
}

std::string TRegManager::GetSkin() { return ReadString(rkGeneral, kGeneralSkin, ""); }
int TRegManager::GetRadioSkin() { return ReadInteger(rkGeneral, kRadioSkin, -1); }
std::string TRegManager::GetLastRadioURL() { return ReadString(rkGeneral, kLastRadioURL, ""); }
int TRegManager::GetRadioWindowPos() { return ReadInteger(rkGeneral, kRadioWindowPos, 0); }
bool TRegManager::GetStoreRadioSkin() { return ReadBool(rkGeneral, kStoreRadioSkin, false); }
bool TRegManager::GetIsEncrypted() { return ReadBool(rkCommunication, kIsEncrypted, false); }

std::string TRegManager::ReadCredential(const char* name)
{
    std::string stored = ReadString(rkCommunication, name, "");
    return GetIsEncrypted() ? DecodeText(stored) : stored;
}

std::string TRegManager::GetUserName() { return ReadCredential(kUserName); }
std::string TRegManager::GetPassword() { return ReadCredential(kPassword); }

void TRegManager::SetRadioSkin(int value)
{
    if (OpenKey(rkGeneral))
        registry_.WriteInteger(kRadioSkin, value);
}

void TRegManager::SetLastRadioURL(const std::string& value)
{
    if (OpenKey(rkGeneral))
        registry_.WriteString(kLastRadioURL, value);
}

void TRegManager::SetRadioWindowPos(int value)
{
    if (OpenKey(rkGeneral))
        registry_.WriteInteger(kRadioWindowPos, value);
}

void TRegManager::SetStoreRadioSkin(bool value)
{
    if (OpenKey(rkGeneral))
        registry_.WriteBool(kStoreRadioSkin, value);
}

void TRegManager::SetIsEncrypted(bool value)
{
    if (OpenKey(rkCommunication))
        registry_.WriteBool(kIsEncrypted, value);
}

void TRegManager::SetUserName(const std::string& value)
{
    if (!OpenKey(rkCommunication))
        return;
    registry_.WriteString(kUserName, EncodeText(value));
    registry_.WriteBool(kIsEncrypted, true);
}

void TRegManager::SetPassword(const std::string& value)
{
    if (!OpenKey(rkCommunication))
        return;
    registry_.WriteString(kPassword, EncodeText(value));
    registry_.WriteBool(kIsEncrypted, true);
}

std::string TRegManager::EncodeText(std::string_view text)
{
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>('z' - (c - 'a'));
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>('Z' - (c - 'A'));
    }
    return result;
}
