#pragma once
// What the tests of the directory-service client share: the listener's account at a fresh
// local service, the program's folder, the request bound and the settings put back afterwards.
#include <gtest/gtest.h>

#include <string>

#include "radio/directory/TestSupport.h"
#include "classlib/ole/ComObj.h"
#include "classlib/platform/Registry.h"
#include "radio/directory/RadioUtils.h"
#include "radio/directory/RegistryManager.h"

namespace directorytest {

inline const char* const kCache = "data\\qsRadioChannels.xml";
inline const char* const kListPath = "/files/video/radioserver30.html";
inline const char* const kAccountPath = "/files/video/recserver20.html";
inline const char* const kUser = "listener";
inline const char* const kPassword = "S3cretPw";

class TDirectoryServiceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_DIRECTORY_SERVICE();
        service::Reset();
        service::AddAccount(kUser, kPassword);
        savedTimeout_ = TRadioUtils::RequestTimeoutMs;
    }
    void TearDown() override
    {
        TRadioUtils::RequestTimeoutMs = savedTimeout_;
        cl::TRegistry reg;
        reg.DeleteKey("\\Software\\Lumra");
    }
    // The account the program reads from its settings.
    void StoreCredentials(const std::string& User, const std::string& Password)
    {
        TRegManager settings;
        settings.SetUserName(User);
        settings.SetPassword(Password);
    }

    cl::TComApartment apartment_;
    TTempFolder folder_;

private:
    unsigned savedTimeout_ = 0;
};

}  // namespace directorytest
