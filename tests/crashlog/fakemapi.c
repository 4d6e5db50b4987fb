/* A Simple MAPI client for the mail tests: it sends nothing and records each call, one line
   each, in crashlog_fakemapi.txt beside itself. */
#include <stdio.h>
#include <string.h>
#include <windows.h>
#include <mapi.h>

static char recordName[MAX_PATH];

static void Record(const char* line)
{
    FILE* f = fopen(recordName, "ab");
    if (f) {
        fprintf(f, "%s\n", line);
        fclose(f);
    }
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        char* slash;
        GetModuleFileNameA(instance, recordName, sizeof recordName);
        slash = strrchr(recordName, '\\');
        if (slash)
            strcpy(slash + 1, "crashlog_fakemapi.txt");
    }
    return TRUE;
}

static MapiRecipDesc resolved;
static char resolvedName[256], resolvedAddress[260];

ULONG WINAPI FakeLogon(ULONG_PTR ui, LPSTR profile, LPSTR password, FLAGS flags, ULONG reserved, LPLHANDLE session)
{
    (void)ui; (void)profile; (void)password; (void)reserved;
    Record((flags & MAPI_LOGON_UI) ? "logon ui" : "logon");
    *session = 1;
    return SUCCESS_SUCCESS;
}

ULONG WINAPI FakeLogoff(LHANDLE session, ULONG_PTR ui, FLAGS flags, ULONG reserved)
{
    (void)session; (void)ui; (void)flags; (void)reserved;
    Record("logoff");
    return SUCCESS_SUCCESS;
}

ULONG WINAPI FakeResolveName(LHANDLE session, ULONG_PTR ui, LPSTR name, FLAGS flags, ULONG reserved,
                             lpMapiRecipDesc* recip)
{
    char line[300];
    (void)session; (void)ui; (void)flags; (void)reserved;
    snprintf(line, sizeof line, "resolve %s", name);
    Record(line);
    snprintf(resolvedName, sizeof resolvedName, "%s", name);
    snprintf(resolvedAddress, sizeof resolvedAddress, "%s", name);
    memset(&resolved, 0, sizeof resolved);
    resolved.ulRecipClass = MAPI_TO;
    resolved.lpszName = resolvedName;
    resolved.lpszAddress = resolvedAddress;
    *recip = &resolved;
    return SUCCESS_SUCCESS;
}

ULONG WINAPI FakeFreeBuffer(LPVOID buffer)
{
    (void)buffer;
    return SUCCESS_SUCCESS;
}

ULONG WINAPI FakeSendMail(LHANDLE session, ULONG_PTR ui, lpMapiMessage message, FLAGS flags, ULONG reserved)
{
    char line[2048];
    size_t at;
    ULONG i;
    (void)session; (void)ui; (void)reserved;
    if (flags & MAPI_DIALOG)
        return MAPI_E_FAILURE;
    at = (size_t)snprintf(line, sizeof line, "send subject=%s note=%s to=", message->lpszSubject, message->lpszNoteText);
    for (i = 0; i < message->nRecipCount && at < sizeof line; ++i)
        at += (size_t)snprintf(line + at, sizeof line - at, "%s%s", i ? "," : "", message->lpRecips[i].lpszAddress);
    for (i = 0; i < message->nFileCount && at < sizeof line; ++i)
        at += (size_t)snprintf(line + at, sizeof line - at, " files=%s:%s", message->lpFiles[i].lpszFileName,
                               message->lpFiles[i].lpszPathName);
    Record(line);
    return SUCCESS_SUCCESS;
}
