// The message boxes the core asked for in a unit test, recorded instead of
// shown, and the answer a question gets.
#ifndef QUILLMOOR_RECORDED_MESSAGE_BOX_H
#define QUILLMOOR_RECORDED_MESSAGE_BOX_H

#include "platform.h"

#include <string>
#include <vector>

struct RecordedMessage {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};

// Every message box the core asked for since the last ClearMessages().
extern std::vector<RecordedMessage> recordedMessages;
// What the recorder answers to a question.
extern int messageBoxAnswer;
void ClearMessages();

#endif
