#include "MessageRecorder.h"

MessageRecorder::MessageRecorder(bool answer) : confirmAnswer(answer)
{
    UserMessages::setHandler([this](UserMessages::Kind, const QString &text) {
        messages << text;
        return confirmAnswer;
    });
    UserMessages::setBeeper([this] { ++beeps; });
}

MessageRecorder::~MessageRecorder()
{
    UserMessages::setHandler({});
    UserMessages::setBeeper({});
}
