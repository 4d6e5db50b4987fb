#pragma once
// Sending the report by e-mail: by the logger's SMTP client when an SMTP host is configured,
// else by Simple MAPI through the default mail client, and when that fails through the
// registered mailto handler.
#include <string>
#include <vector>

#include <windows.h>

#include "crashlog/EMailText.h"

namespace crashlog {

class TVozozoModuleOptions;

// Where the ways of sending look; tests point them elsewhere.
struct TMailSettings {
    unsigned short SmtpPort;
    unsigned SmtpTimeout;  // milliseconds per reply
    unsigned SmtpTotalTimeout;  // milliseconds for the whole conversation
    HKEY MailClientsRoot;
    std::string MailClientsKey;
    HKEY MailtoRoot;
    std::string MailtoKey;
};
TMailSettings& MailSettings();

struct TRecipientResult {
    std::string Address;
    bool Sent = false;
    std::string Reply;  // the server's last reply for this recipient, or the error
};

// One connection for all recipients, authenticated once. True only when every recipient's
// message was accepted.
bool SendEmailBySMTP(const TVozozoModuleOptions& options, const std::vector<std::string>& recipients,
                     const std::string& subject, const std::string& body, const TMailAttachment* attachment,
                     std::vector<TRecipientResult>& results, std::string& error);
bool SendEmailByMAPI(const std::vector<std::string>& recipients, const std::string& subject, const std::string& body,
                     const std::string& attachmentFile, std::string& error);
bool SendEmailByShell(const std::string& recipients, const std::string& subject, const std::string& body,
                      std::string& error);

// The dispatcher: confirmation, body or attachment, the three ways, the error hook's retries,
// and the notify hook before and after.
bool SendEmail();

}  // namespace crashlog
