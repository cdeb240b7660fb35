// Stands in for the program's message box in the unit tests: records what
// would have been shown and answers at once.
#include "recorded_message_box.h"

#include "message_box.h"

std::vector<RecordedMessage> recordedMessages;
int messageBoxAnswer = IDYES;

void ClearMessages()
{
    recordedMessages.clear();
    messageBoxAnswer = IDYES;
}

int ShowMessageBox(HWND owner, const char *text, const char *caption, UINT type)
{
    recordedMessages.push_back({owner, text, caption, type});
    return (type & MB_YESNO) ? messageBoxAnswer : IDOK;
}
