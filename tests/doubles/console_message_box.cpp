// The benchmark never expects a message box: a scan shows none. Should the
// core ask for one all the same, it is told on the console and answered no.
#include "message_box.h"

#include <stdio.h>

int ShowMessageBox(HWND, const char *text, const char *caption, UINT)
{
    fprintf(stderr, "bench: unexpected message box \"%s\": %s\n", caption, text);
    return IDNO;
}
