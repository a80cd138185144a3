#pragma once

#include "widgets/ui/UserMessages.h"

#include <QStringList>

// Answers every message box and counts beeps while it lives.
class MessageRecorder
{
public:
    explicit MessageRecorder(bool confirmAnswer = true);
    ~MessageRecorder();

    QStringList messages;
    int beeps = 0;
    bool confirmAnswer;
};
