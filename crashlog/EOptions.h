#pragma once
// The logger options of one module and the current options of the exception being processed.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "classlib/system/System.h"
#include "crashlog/EConsts.h"

namespace crashlog {

class TDataReader;
class TDataWriter;

// Bits of LogOptions.
enum : std::uint8_t {
    loNoLimit = 1,             // keep every error
    loClearOnVersionChange = 2,
    loNoDuplicates = 4,        // an error whose signature is already logged is not added
};

class TVozozoModuleOptions : public cl::TObject {
public:
    explicit TVozozoModuleOptions(std::string moduleName = {});
    ~TVozozoModuleOptions() override = default;
    TVozozoModuleOptions(const TVozozoModuleOptions&) = delete;
    TVozozoModuleOptions& operator=(const TVozozoModuleOptions&) = delete;

    virtual void SetActive(bool value) { Active = value; }
    virtual void SetFreezeActivate(bool value) { FreezeActivate = value; }
    // Copies every field; the module name comes along with it. Nil raises EOptionsError.
    virtual void Assign(const TVozozoModuleOptions* source);
    virtual void SetDefaults();
    virtual void SaveToStream(TDataWriter& stream) const;
    // Reads what data of this version holds; what it lacks keeps its current value.
    virtual void LoadFromStream(TDataReader& stream, int version = VozozoRezDataVersion);

    const std::string& GetCustomizedText(int index) const;
    void SetCustomizedText(int index, std::string text);

    std::string OutputFile(const std::string& fileName) const;
    std::string OutputLogFile() const;

    std::string SMTPHost;
    std::string SMTPUserID;
    std::string SMTPPassword;
    std::uint8_t TerminateBtnOperation = 1;
    bool FreezeActivate = false;
    std::int32_t FreezeTimeout = 60;
    std::string FreezeMessage;
    bool StyledDialog = true;
    std::string ModuleName;
    std::uint32_t LogFields = 0xFFFFFFFFu;
    std::vector<std::string> FilterClasses;
    std::vector<std::string> FilterMessages;
    std::array<std::string, CustomizedTextCount> CustomizedTexts;
    bool ReservedFlag = true;
    bool FilterActive = true;
    bool NoOutput = false;
    bool AttachLogInBody = false;
    bool TerminateBtnAllowed = true;
    bool SaveLogFile = true;
    std::uint8_t LogOptions = 0;
    bool OpenOnGeneralTab = true;
    std::int32_t ErrorsNumberToSave = 32;
    std::int32_t TerminateBtnThreshold = 3;
    std::string OutputPath;
    std::string EmailAddresses;
    std::string EmailSubject;
    std::string EmailMessage;
    std::uint8_t EmailSendMode = 0;
    std::uint8_t EmailConfirmation = 2;
    bool Active = true;
};

// The current options: switching Active or FreezeActivate also starts or stops hang detection.
class TVozozoModuleOptionsEx : public TVozozoModuleOptions {
public:
    using TVozozoModuleOptions::TVozozoModuleOptions;
    void SetActive(bool value) override;
    void SetFreezeActivate(bool value) override;

    // Set by hang detection; called with true when it should run, false when it should stop.
    static inline void (*FreezeSwitch)(bool run) = nullptr;
    // Only the options of the exception being processed switch hang detection; a module's own
    // options (read from its logger data) never do.
    void SetSwitchesFreeze(bool value) { switchesFreeze_ = value; }

private:
    void ApplyFreeze();
    bool switchesFreeze_ = false;
};

}  // namespace crashlog
