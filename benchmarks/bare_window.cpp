// The yardstick for start-up: a bare Qt window, shown the way Tavrel shows its own.
// Run by startup_benchmark; alone it stays open until closed.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare Qt window"));
    window.show();
    return app.exec();
}
