#include "crashlog/EBugReport.h"

#include "crashlog/EConsts.h"
#include "crashlog/EMail.h"
#include "crashlog/ETrace.h"
#include "crashlog/ExceptionLog.h"

namespace crashlog {

namespace {

constexpr std::string_view SBugQuestion =
    "Error: '%s'\r\n\r\nThis is an internal VozozoRez bug.\r\nDo you want to send the bug information to VozozoRez "
    "author?";
constexpr const char* SBugCaption = "Probably internal bug";
constexpr const char* SBugSubject = "VozozoRez 4.2.4 critical bug.";
constexpr const char* SInformationCaption = "Information";
constexpr std::string_view SSendByHand = "The bug information could not be sent.\r\nPlease send the file \"%s\" to %s.";
constexpr const char* SSupportAddress = "logger-support@trebanix.org";

}  // namespace

void OfferBugReport(const std::string& message)
{
    const std::string question = FormatS(SBugQuestion, {message});
    if (ShowUserMessage(question, SBugCaption, MB_YESNO | MB_ICONERROR | MB_TASKMODAL | MB_TOPMOST) != IDYES)
        return;
    SaveDebugTrace();
    const std::string traceFile = DebugTraceFileName();
    std::string error;
    if (SendEmailByMAPI({SSupportAddress}, SBugSubject, SBugSubject, traceFile, error))
        return;
    const std::string byHand = FormatS(SSendByHand, {traceFile, SSupportAddress});
    ShowUserMessage(byHand, SInformationCaption, MB_OK | MB_ICONINFORMATION | MB_TASKMODAL | MB_TOPMOST);
}

}  // namespace crashlog
