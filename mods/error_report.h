// The report of a failed file operation.
#ifndef QUILLMOOR_ERROR_REPORT_H
#define QUILLMOOR_ERROR_REPORT_H

#include "platform.h"

// Shows `text` and the system's wording of `code` to the user, in an error
// box owned by `owner`.
void ReportError(HWND owner, DWORD code, const char *text);
// The same with a reason of the program's own.
void ReportFailure(HWND owner, const char *reason, const char *text);

#endif
