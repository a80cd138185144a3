#include "logic/serial/BoundedText.h"

#include <QtGlobal>

namespace BoundedText {

TextEdit plan(int length, const ScreenUpdate &update, int limit)
{
    TextEdit edit;
    edit.removeBack = qBound(0, update.replaceTail, length);
    const int kept = length - edit.removeBack;
    if (update.text.size() >= limit) {
        edit.removeFront = kept;
        edit.insert = update.text.right(limit);
    } else {
        edit.removeFront = qMax(0, kept + int(update.text.size()) - limit);
        edit.insert = update.text;
    }
    return edit;
}

void apply(QString &text, const ScreenUpdate &update, int limit)
{
    const TextEdit edit = plan(int(text.size()), update, limit);
    text.chop(edit.removeBack);
    text.remove(0, edit.removeFront);
    text += edit.insert;
}

} // namespace BoundedText
