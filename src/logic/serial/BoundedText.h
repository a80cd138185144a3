#pragma once

#include <QString>

// A change to the end of the terminal's text: the last `replaceTail`
// characters are rewritten (a hex row that grew), then `text` follows.
struct ScreenUpdate
{
    int replaceTail = 0;
    QString text;
};

// What to remove from both ends and what to append to a text.
struct TextEdit
{
    int removeFront = 0;
    int removeBack = 0;
    QString insert;
};

// The terminal keeps the newest characters up to a bound. A line break is
// one character here, as in the window's document, so the cut falls on the
// same character however the lines end on the wire.
namespace BoundedText {

// The edit that applies `update` to a text of `length` characters and then
// drops the oldest characters until at most `limit` are left. An update
// longer than the bound replaces everything with its own newest characters.
TextEdit plan(int length, const ScreenUpdate &update, int limit);

// The same on a string: re-rendering builds the whole text this way.
void apply(QString &text, const ScreenUpdate &update, int limit);

} // namespace BoundedText
