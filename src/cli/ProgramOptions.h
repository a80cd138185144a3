#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

#include <optional>

// `tavrel [options]`, read before any application object exists: --help and
// --version answer and wrong usage is refused without a display; otherwise
// the window opens with the --com values. Qt's own window options
// (-platform, -style, ...) pass through to QApplication.
class ProgramOptions
{
public:
    ProgramOptions();

    // The exit code when the program ends here; nothing when the window opens.
    std::optional<int> parse(const QStringList &arguments);
    QStringList comValues() const { return m_parser.values(m_com); }

private:
    QString helpText() const;

    QCommandLineParser m_parser;
    QCommandLineOption m_com;
    QCommandLineOption m_version;
};
