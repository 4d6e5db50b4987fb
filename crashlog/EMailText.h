#pragma once
// The text of an e-mail report, built without any sending: recipients, base64, the message that
// goes after SMTP's DATA, and the mailto address.
#include <string>
#include <string_view>
#include <vector>

namespace crashlog {

// Standard base64 with "=" fill and no line breaks.
std::string EncodeBase64(std::string_view data);

// The address list split at "," and ";", each address trimmed, empty ones dropped.
std::vector<std::string> SplitRecipients(std::string_view addresses);

// Doubles the "." that starts a line, so that no line of the text ends the message early.
std::string DotStuff(std::string_view text);

struct TMailAttachment {
    std::string FileName;  // the full path; the message names the file without its folder
    std::string Text;
};

// Headers, an empty line and the body, ready for DATA: dot-stuffed and ended by the "." line.
std::string BuildSmtpMessage(const std::string& recipient, const std::string& subject, const std::string& body,
                             const TMailAttachment* attachment);

// "mailto:%s?Subject=%s&Body=%s" with each part percent-encoded; "&" removed from the subject.
// A link longer than maxLength has its body cut, between two encoded characters, and ended by
// a note that says so.
std::string BuildMailtoUrl(const std::string& recipients, const std::string& subject, const std::string& body,
                           std::size_t maxLength = std::string::npos);
// Letters, digits and "-._~" stay; every other byte becomes "%XX".
std::string PercentEncode(std::string_view text);

}  // namespace crashlog
