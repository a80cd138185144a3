// Where start-up time goes, step by step, in the order the program takes them:
// the application object, the empty window shown (the desktop maps it), the
// device list, each panel built cold into a form (as the main window builds
// them), then the whole window, its settings, and on to the first paint. Runs itself `runs` times in fresh
// processes and prints the median of each step in milliseconds.
// Run: DISPLAY=:99 build/benchmarks/startup_breakdown 15   (or QT_QPA_PLATFORM=offscreen)
#include "gui/MainWindow.h"
#include "logic/core/AppState.h"
#include "logic/core/SettingsStore.h"
#include "logic/serial/PortAssignments.h"
#include "widgets/canvas/CanvasPanel.h"
#include "widgets/convert/ConvertControls.h"
#include "widgets/decode/PreviewPane.h"
#include "widgets/output/OutputPanel.h"
#include "widgets/serial/PicLinkControls.h"
#include "widgets/serial/SerialPortPanel.h"
#include "widgets/serial/TerminalPanel.h"
#include "widgets/ui/FileAndFontPrompts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <map>

namespace {

using Steps = std::vector<std::pair<QString, double>>;

class StepClock
{
public:
    StepClock() { m_clock.start(); }
    void lap(const char *name)
    {
        steps.emplace_back(QLatin1String(name), m_clock.nsecsElapsed() / 1e6);
        m_clock.restart();
    }
    Steps steps;

private:
    QElapsedTimer m_clock;
};

// Paints of the window once it is exposed.
class FirstPaint : public QObject
{
public:
    bool painted = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};

int once(int argc, char *argv[])
{
    StepClock clock;
    QApplication app(argc, argv);
    clock.lap("QApplication");
    SettingsStore settings;
    MainWindow window{MainWindow::Unbuilt{}};
    window.showBeforeBuilding(settings);
    clock.lap("empty window shown (mapped)");
    const PortAssignments ports = PortAssignments::fromSystem();
    clock.lap("device list (Com1..Com4)");
    {
        AppState state;
        QWidget window;
        auto *form = new QWidget(&window);
        auto *dialog = new FileAndFontPrompts(&window);
        clock.lap("panel: file and font prompts");
        auto *port = new SerialPortPanel(state, form, ports);
        clock.lap("panel: serial port");
        new TerminalPanel(state, port->commPort(), form);
        clock.lap("panel: terminal");
        auto *canvas = new CanvasPanel(state, *dialog, form);
        clock.lap("panel: canvas");
        auto *link = new PicLinkControls(state, port->commPort(), form);
        clock.lap("panel: PIC link");
        new ConvertControls(state, canvas->canvas(), canvas->convertButton(), *link, form);
        clock.lap("panel: convert controls");
        new PreviewPane(form);
        clock.lap("panel: preview");
    }
    clock.lap("(panels torn down)");
    FirstPaint paint;
    window.installEventFilter(&paint);
    window.build(ports);
    clock.lap("whole window built, warm");
    window.useSettings(&settings);
    clock.lap("settings");
    while (!paint.painted)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    clock.lap("to the first paint");
    for (const auto &[name, ms] : clock.steps)
        std::printf("%s\t%.2f\n", qPrintable(name), ms);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && QByteArray(argv[1]) == "--once")
        return once(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 11;
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    std::vector<QString> order;
    std::map<QString, std::vector<double>> times;
    for (int run = 0; run < runs; ++run) {
        QProcess child;
        child.start(QString::fromLocal8Bit(argv[0]), {QStringLiteral("--once")});
        child.waitForFinished(60000);
        for (const QString &line : QString::fromLocal8Bit(child.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)) {
            const QStringList parts = line.split('\t');
            if (parts.size() != 2)
                continue;
            if (!times.count(parts.at(0)))
                order.push_back(parts.at(0));
            times[parts.at(0)].push_back(parts.at(1).toDouble());
        }
    }
    double load[3] = {};
    getloadavg(load, 3);
    std::printf("median of %d fresh runs, ms; load average %.2f\n", runs, load[0]);
    for (const QString &name : order) {
        std::vector<double> values = times[name];
        std::sort(values.begin(), values.end());
        std::printf("%8.2f  %s\n", values.at(values.size() / 2), qPrintable(name));
    }
    return 0;
}
