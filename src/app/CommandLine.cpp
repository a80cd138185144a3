#include "app/CommandLine.h"

#include "app/ConvertCommand.h"
#include "app/SendCommand.h"

#include <QTextStream>
#include <cstring>

namespace CommandLine {

bool isSubcommand(int argc, char *argv[])
{
    return argc > 1 && (std::strcmp(argv[1], "convert") == 0 || std::strcmp(argv[1], "send") == 0);
}

int run(const QStringList &arguments)
{
    const QString command = arguments.value(1);
    // The parser sees "tavrel convert" as the program name.
    QStringList rest = arguments.mid(2);
    rest.prepend(arguments.value(0) + QLatin1Char(' ') + command);
    if (command == QLatin1String("convert"))
        return ConvertCommand::run(rest);
    if (command == QLatin1String("send"))
        return SendCommand::run(rest);
    QTextStream(stderr) << "tavrel: unknown command \"" << command << "\"\n";
    return Usage;
}

} // namespace CommandLine
