#include "crashlog/EOptions.h"

#include <algorithm>
#include <cctype>

#include "crashlog/EConsts.h"
#include "crashlog/EErrors.h"
#include "crashlog/EStream.h"

namespace crashlog {

namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/' || c == ':';
}

std::string FolderOf(const std::string& fileName)
{
    std::size_t i = fileName.size();
    while (i > 0 && !IsSeparator(fileName[i - 1]))
        --i;
    return fileName.substr(0, i);
}

std::string NameOf(const std::string& fileName)
{
    return fileName.substr(FolderOf(fileName).size());
}

std::string ChangeExt(const std::string& fileName, const std::string& ext)
{
    std::string name = NameOf(fileName);
    std::size_t dot = name.rfind('.');
    std::size_t keep = fileName.size() - name.size() + (dot == std::string::npos ? name.size() : dot);
    return fileName.substr(0, keep) + ext;
}

std::string LowerExt(const std::string& fileName)
{
    std::string name = NameOf(fileName);
    std::size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return {};
    std::string ext = name.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

}  // namespace

TVozozoModuleOptions::TVozozoModuleOptions(std::string moduleName) : ModuleName(std::move(moduleName))
{
    SetDefaults();
}

void TVozozoModuleOptions::SetDefaults()
{
    SMTPHost.clear();
    SMTPUserID.clear();
    SMTPPassword.clear();
    TerminateBtnOperation = 1;
    FreezeActivate = false;
    FreezeTimeout = 60;
    FreezeMessage = std::string(DefaultFreezeMessage);
    StyledDialog = true;
    LogFields = 0xFFFFFFFFu;
    FilterClasses.clear();
    FilterMessages.clear();
    for (int i = 0; i < CustomizedTextCount; ++i)
        CustomizedTexts[i] = std::string(DefaultCustomizedTexts[i]);
    ReservedFlag = true;
    FilterActive = true;
    NoOutput = false;
    AttachLogInBody = false;
    TerminateBtnAllowed = true;
    SaveLogFile = true;
    LogOptions = 0;
    OpenOnGeneralTab = true;
    ErrorsNumberToSave = 32;
    TerminateBtnThreshold = 3;
    OutputPath.clear();
    EmailAddresses.clear();
    EmailSubject.clear();
    EmailMessage.clear();
    EmailSendMode = 0;
    EmailConfirmation = 2;
    Active = true;
}

void TVozozoModuleOptions::Assign(const TVozozoModuleOptions* source)
{
    if (!source)
        throw EOptionsError(std::string(SAssignNilOptions));
    if (source == this)
        return;
    SMTPHost = source->SMTPHost;
    SMTPUserID = source->SMTPUserID;
    SMTPPassword = source->SMTPPassword;
    TerminateBtnOperation = source->TerminateBtnOperation;
    FreezeTimeout = source->FreezeTimeout;
    FreezeMessage = source->FreezeMessage;
    StyledDialog = source->StyledDialog;
    ModuleName = source->ModuleName;
    LogFields = source->LogFields;
    FilterClasses = source->FilterClasses;
    FilterMessages = source->FilterMessages;
    CustomizedTexts = source->CustomizedTexts;
    ReservedFlag = source->ReservedFlag;
    FilterActive = source->FilterActive;
    NoOutput = source->NoOutput;
    AttachLogInBody = source->AttachLogInBody;
    TerminateBtnAllowed = source->TerminateBtnAllowed;
    SaveLogFile = source->SaveLogFile;
    LogOptions = source->LogOptions;
    OpenOnGeneralTab = source->OpenOnGeneralTab;
    ErrorsNumberToSave = source->ErrorsNumberToSave;
    TerminateBtnThreshold = source->TerminateBtnThreshold;
    OutputPath = source->OutputPath;
    EmailAddresses = source->EmailAddresses;
    EmailSubject = source->EmailSubject;
    EmailMessage = source->EmailMessage;
    EmailSendMode = source->EmailSendMode;
    EmailConfirmation = source->EmailConfirmation;
    // Through the setters, so that the current options start or stop hang detection.
    SetFreezeActivate(source->FreezeActivate);
    SetActive(source->Active);
}

const std::string& TVozozoModuleOptions::GetCustomizedText(int index) const
{
    // Made without registering its end: a report at the process's end (while the runtime holds
    // its exit lock) may be the first to ask.
    static const std::string* empty = new std::string;
    if (index < 0 || index >= CustomizedTextCount)
        return *empty;
    return CustomizedTexts[index];
}

void TVozozoModuleOptions::SetCustomizedText(int index, std::string text)
{
    if (index >= 0 && index < CustomizedTextCount)
        CustomizedTexts[index] = std::move(text);
}

std::string TVozozoModuleOptions::OutputFile(const std::string& fileName) const
{
    if (LowerExt(OutputPath) == ".elf")
        return OutputPath;
    std::string folder = OutputPath.empty() ? FolderOf(fileName) : OutputPath;
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/')
        folder += '\\';
    return folder + NameOf(fileName);
}

std::string TVozozoModuleOptions::OutputLogFile() const
{
    return OutputFile(ChangeExt(ModuleName, ".elf"));
}

void TVozozoModuleOptions::SaveToStream(TDataWriter& s) const
{
    s.WriteBool(ReservedFlag);
    s.WriteBool(FilterActive);
    s.WriteByte(LogOptions);
    s.WriteBool(NoOutput);
    s.WriteBool(AttachLogInBody);
    s.WriteBool(SaveLogFile);
    s.WriteBool(OpenOnGeneralTab);
    s.WriteBool(StyledDialog);
    s.WriteBool(FreezeActivate);
    s.WriteInt32(FreezeTimeout);
    s.WriteString(FreezeMessage);
    s.WriteString(SMTPHost);
    s.WriteString(SMTPUserID);
    s.WriteString(SMTPPassword);
    s.WriteByte(TerminateBtnOperation);
    s.WriteBool(TerminateBtnAllowed);
    s.WriteInt32(ErrorsNumberToSave);
    s.WriteInt32(TerminateBtnThreshold);
    s.WriteString(EmailAddresses);
    s.WriteString(EmailSubject);
    s.WriteByte(EmailSendMode);
    s.WriteInt32(static_cast<std::int32_t>(LogFields));
    s.WriteByte(EmailConfirmation);
    s.WriteString(OutputPath);
    std::size_t count = FilterClasses.size();
    s.WriteInt32(static_cast<std::int32_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
        s.WriteString(FilterClasses[i]);
        s.WriteString(i < FilterMessages.size() ? FilterMessages[i] : std::string());
    }
    s.WriteString(EmailMessage);
    for (const std::string& text : CustomizedTexts)
        s.WriteString(text);
}

void TVozozoModuleOptions::LoadFromStream(TDataReader& s, int version)
{
    ReservedFlag = s.ReadBool();
    FilterActive = s.ReadBool();
    LogOptions = s.ReadByte();
    NoOutput = s.ReadBool();
    AttachLogInBody = s.ReadBool();
    if (version >= 401) {
        SaveLogFile = s.ReadBool();
        OpenOnGeneralTab = s.ReadBool();
    }
    if (version >= 403)
        StyledDialog = s.ReadBool();
    if (version >= 420) {
        bool freeze = s.ReadBool();
        std::int32_t timeout = s.ReadInt32();
        // Older data kept the time-out in milliseconds.
        FreezeTimeout = version < 422 ? timeout / 1000 : timeout;
        SetFreezeActivate(freeze);
        FreezeMessage = s.ReadString();
        SMTPHost = s.ReadString();
    }
    if (version >= 421) {
        SMTPUserID = s.ReadString();
        SMTPPassword = s.ReadString();
        TerminateBtnOperation = s.ReadByte();
    }
    TerminateBtnAllowed = s.ReadBool();
    ErrorsNumberToSave = s.ReadInt32();
    TerminateBtnThreshold = s.ReadInt32();
    EmailAddresses = s.ReadString();
    EmailSubject = s.ReadString();
    EmailSendMode = s.ReadByte();
    LogFields = static_cast<std::uint32_t>(s.ReadInt32());
    EmailConfirmation = s.ReadByte();
    OutputPath = s.ReadString();
    FilterClasses.clear();
    FilterMessages.clear();
    std::int32_t count = s.ReadInt32();
    // Each entry takes at least eight bytes: a count beyond what remains is corrupt.
    if (count < 0 || static_cast<std::size_t>(count) > s.Remaining() / 8)
        throw EReadError(SStreamReadError);
    for (std::int32_t i = 0; i < count; ++i) {
        FilterClasses.push_back(s.ReadString());
        FilterMessages.push_back(s.ReadString());
    }
    EmailMessage = s.ReadString();
    for (int i = 0; i < CustomizedTextCount; ++i) {
        if ((i == 10 && version < 421) || (i == 11 && version < 420))
            continue;
        CustomizedTexts[i] = s.ReadString();
    }
}

void TVozozoModuleOptionsEx::SetActive(bool value)
{
    TVozozoModuleOptions::SetActive(value);
    ApplyFreeze();
}

void TVozozoModuleOptionsEx::SetFreezeActivate(bool value)
{
    TVozozoModuleOptions::SetFreezeActivate(value);
    ApplyFreeze();
}

void TVozozoModuleOptionsEx::ApplyFreeze()
{
    if (switchesFreeze_ && FreezeSwitch)
        FreezeSwitch(Active && FreezeActivate);
}

}  // namespace crashlog
