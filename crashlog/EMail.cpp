#include "crashlog/EMail.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include <mapi.h>
#include <winsock2.h>

#include "classlib/system/KernelHandles.h"
#include "crashlog/EConsts.h"
#include "crashlog/EMailTexts.h"
#include "crashlog/EOptions.h"
#include "crashlog/ESockets.h"
#include "crashlog/ExceptionLog.h"

namespace crashlog {

namespace {

std::string LocalHostName()
{
    char name[256] = "";
    if (gethostname(name, sizeof name) != 0 || !name[0])
        return "localhost";
    return name;
}

std::string RegistryText(HKEY root, const std::string& key, const char* value)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return {};
    const cl::TOwnedRegKey owned(opened);
    char text[1024] = "";
    DWORD size = sizeof text - 1, type = 0;
    const LONG result = RegQueryValueExA(opened, value, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return {};
    text[size < sizeof text ? size : sizeof text - 1] = '\0';
    return text;
}

std::string LastErrorText()
{
    return SocketErrorText(static_cast<int>(GetLastError()));
}

// The log file as lines joined with line breaks (each line followed by one).
bool ReadLogFile(const std::string& fileName, std::string& text)
{
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        return false;
    std::string line;
    text.clear();
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        text += line + "\r\n";
    }
    return true;
}

// Paint messages only, as while any other report step waits: the calling thread's windows stay
// drawn, but none of the user's commands runs while the mail goes out.
void PaintThisThreadsWindows()
{
    MSG message;
    // A window that leaves its update region valid would be offered again and again.
    for (int i = 0; i < 16 && PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i)
        DispatchMessageA(&message);
}

// A loaded library and its procedures by name.
class TLibrary {
public:
    explicit TLibrary(const std::string& name) : module_(LoadLibraryA(name.c_str())) {}
    HMODULE Get() const { return module_.get(); }
    template <typename T>
    T Procedure(const char* name) const
    {
        return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module_.get(), name)));
    }

private:
    cl::TOwnedModule module_;
};

}  // namespace

TMailSettings& MailSettings()
{
    // The pending mail goes out at shut-down, after the program's static objects are gone.
    static auto* settings = new TMailSettings{DefaultSmtpPort, DefaultSmtpTimeout, DefaultSmtpTotalTimeout,
                                             HKEY_LOCAL_MACHINE,
                                             std::string(SMailClientsKey), HKEY_CLASSES_ROOT,
                                             std::string(SMailtoCommandKey)};
    return *settings;
}

bool SendEmailBySMTP(const TVozozoModuleOptions& options, const std::vector<std::string>& recipients,
                     const std::string& subject, const std::string& body, const TMailAttachment* attachment,
                     std::vector<TRecipientResult>& results, std::string& error)
{
    results.clear();
    for (const std::string& a : recipients)
        results.push_back({a, false, {}});
    if (recipients.empty()) {
        error = "No recipient.";
        return false;
    }
    try {
        TVozozoClientSMTP smtp(options.SMTPHost, MailSettings().SmtpTimeout, MailSettings().SmtpPort);
        smtp.OnWait = PaintThisThreadsWindows;
        smtp.LimitTotal(MailSettings().SmtpTotalTimeout);
        smtp.Connect();
        const bool login = !options.SMTPUserID.empty();
        // Greeting and authentication once per connection: a server refuses a second AUTH.
        const bool greeted = login ? smtp.SendCommand("EHLO " + LocalHostName(), {250})
                                   : smtp.SendCommand("HELO " + LocalHostName(), {250});
        bool ready = greeted;
        if (ready && login) {
            ready = smtp.SendCommand("AUTH LOGIN", {334}) && smtp.SendSecret(EncodeBase64(options.SMTPUserID), {334}) &&
                    smtp.SendSecret(EncodeBase64(options.SMTPPassword), {235});
        }
        if (!ready) {
            for (TRecipientResult& r : results)
                r.Reply = smtp.LastReply();
            error = smtp.LastReply();
            return false;
        }
        for (TRecipientResult& r : results) {
            if (!smtp.Connected()) {
                r.Reply = error;
                continue;
            }
            try {
                r.Sent = smtp.SendCommand("RSET", {250}) && smtp.SendCommand("MAIL FROM:<" + r.Address + ">", {250}) &&
                         smtp.SendCommand("RCPT TO:<" + r.Address + ">", {250, 251}) &&
                         smtp.SendCommand("DATA", {354}) &&
                         smtp.SendCommand(BuildSmtpMessage(r.Address, subject, body, attachment), {250});
                r.Reply = smtp.LastReply();
                if (!r.Sent && smtp.LastCode() == 421) {
                    // The server is closing the connection: the later recipients cannot be sent.
                    error = smtp.LastReply();
                    smtp.Disconnect();
                }
            } catch (const EVozozoSocketError& e) {
                r.Reply = e.Message();
                error = e.Message();
                try {
                    smtp.Disconnect();
                } catch (const EVozozoSocketError&) {
                }
            }
        }
        // No QUIT: the connection is just closed.
        if (smtp.Connected())
            smtp.Disconnect();
    } catch (const EVozozoSocketError& e) {
        error = e.Message();
        for (TRecipientResult& r : results)
            if (!r.Sent && r.Reply.empty())
                r.Reply = error;
    }
    bool all = true;
    for (const TRecipientResult& r : results) {
        if (!r.Sent) {
            all = false;
            if (error.empty())
                error = "<" + r.Address + ">: " + r.Reply;
        }
    }
    return all;
}

bool SendEmailByMAPI(const std::vector<std::string>& recipients, const std::string& subject, const std::string& body,
                     const std::string& attachmentFile, std::string& error)
{
    const TMailSettings& settings = MailSettings();
    std::string library;
    const std::string client = RegistryText(settings.MailClientsRoot, settings.MailClientsKey, nullptr);
    if (!client.empty())
        library = RegistryText(settings.MailClientsRoot, settings.MailClientsKey + "\\" + client, "DLLPath");
    if (library.empty())
        library = std::string(SDefaultMapiLibrary);
    TLibrary mapi(library);
    if (!mapi.Get()) {
        error = std::string(SMapiOpenError);
        return false;
    }
    auto logon = mapi.Procedure<LPMAPILOGON>("MAPILogon");
    auto logoff = mapi.Procedure<LPMAPILOGOFF>("MAPILogoff");
    auto sendMail = mapi.Procedure<LPMAPISENDMAIL>("MAPISendMail");
    auto resolveName = mapi.Procedure<LPMAPIRESOLVENAME>("MAPIResolveName");
    auto freeBuffer = mapi.Procedure<LPMAPIFREEBUFFER>("MAPIFreeBuffer");
    if (!logon || !logoff || !sendMail || !resolveName || !freeBuffer) {
        error = std::string(SMapiFunctionsError);
        return false;
    }
    LHANDLE session = 0;
    if (logon(0, nullptr, nullptr, MAPI_LOGON_UI, 0, &session) != SUCCESS_SUCCESS) {
        error = std::string(SMapiLogonError);
        return false;
    }
    // Resolved names are copied before the client's buffer is freed.
    std::vector<std::string> names, addresses;
    for (const std::string& a : recipients) {
        lpMapiRecipDesc resolved = nullptr;
        if (resolveName(session, 0, const_cast<char*>(a.c_str()), 0, 0, &resolved) == SUCCESS_SUCCESS && resolved) {
            names.emplace_back(resolved->lpszName ? resolved->lpszName : a.c_str());
            addresses.emplace_back(resolved->lpszAddress ? resolved->lpszAddress : a.c_str());
            freeBuffer(resolved);
        } else {
            names.push_back(a);
            addresses.push_back("SMTP:" + a);
        }
    }
    std::vector<MapiRecipDesc> recips(recipients.size());
    for (std::size_t i = 0; i < recips.size(); ++i) {
        recips[i] = {};
        recips[i].ulRecipClass = MAPI_TO;
        recips[i].lpszName = names[i].data();
        recips[i].lpszAddress = addresses[i].data();
    }
    std::string attachmentPath = attachmentFile;
    std::string attachmentName = attachmentFile.substr(attachmentFile.find_last_of("\\/") + 1);
    MapiFileDesc file{};
    file.nPosition = static_cast<ULONG>(-1);
    file.lpszPathName = attachmentPath.data();
    file.lpszFileName = attachmentName.data();
    std::string subjectText = subject, bodyText = body;
    MapiMessage message{};
    message.lpszSubject = subjectText.data();
    message.lpszNoteText = bodyText.data();
    message.nRecipCount = static_cast<ULONG>(recips.size());
    message.lpRecips = recips.data();
    if (!attachmentFile.empty()) {
        message.nFileCount = 1;
        message.lpFiles = &file;
    }
    const ULONG sent = sendMail(0, 0, &message, MAPI_LOGON_UI, 0);
    logoff(session, 0, 0, 0);
    if (sent != SUCCESS_SUCCESS) {
        error = std::string(SMapiSendError);
        return false;
    }
    return true;
}

bool SendEmailByShell(const std::string& recipients, const std::string& subject, const std::string& body,
                      std::string& error)
{
    const TMailSettings& settings = MailSettings();
    std::string command = RegistryText(settings.MailtoRoot, settings.MailtoKey, nullptr);
    if (command.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        error = LastErrorText();
        return false;
    }
    // Encoded, the address holds no blank, quote or "&" that would split the command line; cut,
    // the body leaves the command within what the system starts.
    const std::size_t at = command.find("%1");
    const std::size_t rest = at != std::string::npos ? command.size() - 2 : command.size() + 1;
    const std::size_t room = rest < CommandLineLimit - 1 ? CommandLineLimit - 1 - rest : 0;
    const std::string url = BuildMailtoUrl(recipients, subject, body, room);
    if (at != std::string::npos)
        command.replace(at, 2, url);
    else
        command += " " + url;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NEW_PROCESS_GROUP | NORMAL_PRIORITY_CLASS,
                        nullptr, nullptr, &startup, &process)) {
        error = LastErrorText();
        return false;
    }
    const cl::TOwnedHandle started(process.hProcess), startedThread(process.hThread);
    return true;
}

bool SendEmail()
{
    if (!CallNotifyHook(TNotifyStage::BeforeMail))
        return false;
    const TVozozoModuleOptions& options = CurrentOptions();
    bool sent = false;
    // Nobody sits at a web server's screen: a mail client's windows and its logon dialog would
    // wait there for ever, once for each failed request. Only SMTP sends from a server.
    if (options.SMTPHost.empty() && !MayShowWindows()) {
        InternalWarning(eeEmailMAPIError, std::string(SServerMailNeedsSmtp));
        CallNotifyHook(TNotifyStage::AfterMail);
        return false;
    }
    // The error hook may ask again and again; a bounded number of retries keeps the process alive.
    for (int attempt = 0; attempt < 10; ++attempt) {
        const std::vector<std::string> recipients = SplitRecipients(options.EmailAddresses);
        const std::string& subject = options.EmailSubject;
        if (options.EmailConfirmation == 0) {
            if (ShowUserMessage(options.GetCustomizedText(43), options.GetCustomizedText(ctQuestion),
                                MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL | MB_TOPMOST | MB_SERVICE_NOTIFICATION) != IDYES)
                break;
        } else if (options.EmailConfirmation == 1) {
            ShowUserMessage(options.GetCustomizedText(44), options.GetCustomizedText(ctInformation),
                            MB_OK | MB_ICONINFORMATION | MB_TASKMODAL | MB_TOPMOST | MB_SERVICE_NOTIFICATION);
        }
        const std::string logFile = options.OutputLogFile();
        std::string logText;
        const bool logCounts = options.SaveLogFile && ReadLogFile(logFile, logText);
        std::string body = options.EmailMessage;
        bool attach = false;
        if (logCounts) {
            if (options.AttachLogInBody)
                body += std::string(SLogInBodySeparator) + logText;
            else
                attach = true;
        }
        std::string error, failures;
        TVozozoRezErrorCode code = eeEmailSMTPError;
        if (!options.SMTPHost.empty()) {
            TMailAttachment attachment{logFile, logText};
            std::vector<TRecipientResult> results;
            sent = SendEmailBySMTP(options, recipients, subject, body, attach ? &attachment : nullptr, results, error);
        } else {
            code = eeEmailMAPIError;
            sent = SendEmailByMAPI(recipients, subject, body, attach ? logFile : std::string(), error);
            if (!sent) {
                InternalWarning(code, error);
                failures = error + "\r\n";
                code = eeEmailShellError;
                std::string shellBody = options.EmailMessage;
                if (logCounts)
                    shellBody += std::string(SLogInBodySeparator) + LastLogText();
                sent = SendEmailByShell(options.EmailAddresses, subject, shellBody, error);
            }
        }
        if (sent)
            break;
        InternalWarning(code, error);
        bool retry = false;
        if (ExceptionErrorNotify)
            ExceptionErrorNotify(code, LastWarningText(), retry);
        if (!retry) {
            // Whichever way failed, the user learns that the report did not go out.
            ShowUserMessage(FormatS(SMailNotSent, {failures + error}), SMailNotSentCaption,
                            MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_TOPMOST | MB_SERVICE_NOTIFICATION);
            break;
        }
    }
    CallNotifyHook(TNotifyStage::AfterMail);
    return sent;
}

}  // namespace crashlog
