#include "crashlog/EMailText.h"

#include <cctype>

#include "crashlog/EConsts.h"
#include "crashlog/EMailTexts.h"

namespace crashlog {

namespace {

std::string Trim(std::string_view text)
{
    std::size_t begin = 0, end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ')
        --end;
    return std::string(text.substr(begin, end - begin));
}

std::string FileNameOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Mail knows only CR LF as a line break: a bare LF or CR would be no line end to the server,
// so a point after it, doubled as at a line's start, would arrive doubled.
std::string WithMailLineBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

std::string EncodeBase64(std::string_view data)
{
    static constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((data.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= data.size(); i += 3) {
        const unsigned v = static_cast<unsigned char>(data[i]) << 16 | static_cast<unsigned char>(data[i + 1]) << 8 |
                           static_cast<unsigned char>(data[i + 2]);
        out += alphabet[v >> 18];
        out += alphabet[(v >> 12) & 63];
        out += alphabet[(v >> 6) & 63];
        out += alphabet[v & 63];
    }
    if (i < data.size()) {
        unsigned v = static_cast<unsigned char>(data[i]) << 16;
        if (i + 1 < data.size())
            v |= static_cast<unsigned char>(data[i + 1]) << 8;
        out += alphabet[v >> 18];
        out += alphabet[(v >> 12) & 63];
        out += i + 1 < data.size() ? alphabet[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

std::vector<std::string> SplitRecipients(std::string_view addresses)
{
    std::vector<std::string> list;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= addresses.size(); ++i) {
        if (i == addresses.size() || addresses[i] == ',' || addresses[i] == ';') {
            std::string address = Trim(addresses.substr(start, i - start));
            if (!address.empty())
                list.push_back(address);
            start = i + 1;
        }
    }
    return list;
}

std::string DotStuff(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 16);
    bool lineStart = true;
    for (char c : text) {
        if (lineStart && c == '.')
            out += '.';
        out += c;
        lineStart = c == '\n';
    }
    return out;
}

std::string BuildSmtpMessage(const std::string& recipient, const std::string& subject, const std::string& body,
                             const TMailAttachment* attachment)
{
    const std::string boundary(SMimeBoundary);
    std::string text = "From: VozozoRez <" + recipient + ">\r\n";
    text += "Subject: " + subject + "\r\n";
    text += "To: <" + recipient + ">\r\n";
    std::string content;
    if (attachment) {
        text += "Content-Type: multipart/mixed; boundary=\"" + boundary + "\";\r\nMIME-Version: 1.0\r\n";
        content = "This is a multi-part message in MIME format\r\n\r\n--" + boundary +
                  "\r\nContent-Type: text/plain\r\nContent-Transfer-Encoding: 7bit\r\n\r\n" + body + "\r\n\r\n--" +
                  boundary + "\r\nContent-Type: application/octet-stream;\r\n        name=\"" +
                  FileNameOf(attachment->FileName) +
                  "\"\r\nContent-Transfer-Encoding: 8bit\r\nContent-Disposition: attachment;\r\n        filename=\"" +
                  FileNameOf(attachment->FileName) + "\"\r\n\r\n" + attachment->Text + "--" + boundary + "--\r\n";
    } else {
        text += "Content-Type: text/plain;\r\n";
        content = body + "\r\n";
    }
    text += "X-Priority: 1\r\n";
    text += "X-Library: VozozoRez " + std::string(SLibraryVersion) + "\r\n";
    text += "\r\n";
    // A line of the report that starts with "." would otherwise end the message there.
    return DotStuff(WithMailLineBreaks(text + content)) + ".";
}

std::string PercentEncode(std::string_view text)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
            out += ch;
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string BuildMailtoUrl(const std::string& recipients, const std::string& subject, const std::string& body,
                           std::size_t maxLength)
{
    std::string plainSubject;
    for (char c : subject)
        if (c != '&')
            plainSubject += c;
    // Each address keeps its "@"; the separators of the list become ",".
    std::string to;
    for (const std::string& address : SplitRecipients(recipients)) {
        if (!to.empty())
            to += ',';
        const std::size_t at = address.find('@');
        to += at == std::string::npos ? PercentEncode(address)
                                      : PercentEncode(address.substr(0, at)) + "@" + PercentEncode(address.substr(at + 1));
    }
    const std::string head = FormatS(SMailtoUrl, {to, PercentEncode(plainSubject), ""});
    std::string encoded = PercentEncode(body);
    if (maxLength != std::string::npos && head.size() + encoded.size() > maxLength) {
        const std::string note = PercentEncode(SMailtoBodyCut);
        const std::size_t room = maxLength > head.size() + note.size() ? maxLength - head.size() - note.size() : 0;
        std::size_t keep = 0;
        for (;;) {
            const std::size_t step = keep < encoded.size() && encoded[keep] == '%' ? 3 : 1;
            if (keep >= encoded.size() || keep + step > room)
                break;
            keep += step;
        }
        encoded = encoded.substr(0, keep) + note;
    }
    return head + encoded;
}

}  // namespace crashlog
