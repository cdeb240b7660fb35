// The report of a failed file operation: the operation's own text and the
// system's wording of the error code, in an error box owned by the window at
// hand.
#include "error_report.h"

#include "message_box.h"

#include <stdio.h>

namespace {

// The user's default language: the neutral language, default sublanguage.
const DWORD UserDefaultLanguage = 0x400;

} // namespace

void ReportError(HWND owner, DWORD code, const char *text)
{
    // No arguments are passed, so insert sequences of the system's text are
    // left as they are rather than read from nowhere.
    char *systemText = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, UserDefaultLanguage,
                                  reinterpret_cast<LPSTR>(&systemText), 0, nullptr);

    // A code the system has no text for still gets a report.
    char unknown[32];
    const char *reason = systemText;
    if (length == 0 || !systemText) {
        FormatText(unknown, sizeof unknown, "Unknown error 0x%08X", (unsigned)code);
        reason = unknown;
    }

    ReportFailure(owner, reason, text);

    if (systemText)
        LocalFree(systemText);
}

void ReportFailure(HWND owner, const char *reason, const char *text)
{
    // The operation's text comes first and is short, so a long reason is what
    // gets cut.
    char message[TextBufferSize];
    FormatText(message, sizeof message, "%s\nReason: %s", text, reason);
    ShowErrorMessage(owner, message);
}
