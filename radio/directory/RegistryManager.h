#pragma once
// The program's settings in the current user's registry hive. One object per use: nothing is
// cached, so a value written is what the next reader sees.
#include <string>
#include <string_view>

#include "classlib/platform/Registry.h"

// Indexes of the product's key family (5 and 8 are not ours).
enum TRegKeyIndex : int {
    rkProduct = 0,
    rkGeneral = 1,
    rkCommunication = 2,
    rkHardware = 3,
    rkCompression = 4,
    rkAdditional = 6,
    rkHardwareColors = 7,
    rkVideoLibrary = 9,
    rkBroadcaster = 10
};

class TRegManager : public cl::TObject {
public:
    TRegManager() = default;

    // Opens (creating when missing) the key of the family under HKEY_CURRENT_USER.
    bool OpenKey(int index);

    // Each getter answers its default when the key cannot be opened, the value is missing or
    // it is stored with another registry type than its setter writes.
    std::string GetSkin();
    int GetRadioSkin();
    std::string GetLastRadioURL();
    int GetRadioWindowPos();
    bool GetStoreRadioSkin();
    std::string GetUserName();
    std::string GetPassword();
    bool GetIsEncrypted();

    // Each setter does nothing when its key cannot be opened.
    void SetRadioSkin(int value);
    void SetLastRadioURL(const std::string& value);
    void SetRadioWindowPos(int value);
    void SetStoreRadioSkin(bool value);
    // Stored letter-mirrored, and "Is Encrypted" set.
    void SetUserName(const std::string& value);
    void SetPassword(const std::string& value);
    void SetIsEncrypted(bool value);

    // The letter mirror (a<->z, A<->Z, every other byte kept). It hides the credentials from a
    // casual look only; it is not encryption. Applying it twice gives the text back.
    static std::string EncodeText(std::string_view text);
    static std::string DecodeText(std::string_view text) { return EncodeText(text); }

    // The key path of an index, "" for an index outside the family.
    static std::string KeyPath(int index);

private:
    std::string ReadString(int index, const char* name, const std::string& fallback);
    int ReadInteger(int index, const char* name, int fallback);
    bool ReadBool(int index, const char* name, bool fallback);
    std::string ReadCredential(const char* name);

    cl::TRegistry registry_;
};
