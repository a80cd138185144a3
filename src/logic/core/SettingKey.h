#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>

// One value kept between runs, declared once: its key in the file, what it
// holds, the values it may take and what a first start shows.
struct SettingKey
{
    enum class Kind {
        Integer, // a whole number from minimum to maximum
        Flag,    // true or false
        Text,    // up to maximum characters, and what `accepts` takes when given
        Choice,  // one of `choices`
    };

    QString name;
    Kind kind = Kind::Text;
    int minimum = 0;
    int maximum = 1000;
    QStringList choices;
    // Text: a check beyond the length, and how a warning names a good value.
    std::function<bool(const QString &)> accepts = {};
    QString expected = {};
    // What a first start shows; an invalid value: nothing chosen.
    QVariant firstStart = {};
    // The key an older file kept the same fact under, read when this one is
    // missing; `fromOld` turns its value into this key's (nothing: unusable).
    QString oldName = {};
    std::function<std::optional<QString>(const QVariant &)> fromOld = {};
};
