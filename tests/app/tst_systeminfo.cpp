#include "logic/core/RegistryFile.h"
#include "logic/core/SystemInfoLauncher.h"

#include <QTemporaryDir>
#include <QtTest>

class SystemInfoTest : public QObject
{
    Q_OBJECT
private slots:
    void textValues();
    void numberValues();
    void missingKeysAndValues();
    void launcherPrefersStoredPath();
    void launcherUsesToolLocation();
    void launcherFallsBackToPath();
};

void SystemInfoTest::textValues()
{
    const auto store = RegistryFile::fromText(
        "# comment\nHKEY_LOCAL_MACHINE\\SOFTWARE\\Tools\tPATH\t1\t/usr/bin/tool\n");
    QString value = "old";
    QVERIFY(store.getKeyValue("HKEY_LOCAL_MACHINE", "software\\tools", "path", &value));
    QCOMPARE(value, QStringLiteral("/usr/bin/tool"));
}

void SystemInfoTest::numberValues()
{
    const auto store = RegistryFile::fromText("ROOT\\K\tBig\t4\t02 01 00 00\nROOT\\K\tMax\t4\tff ff ff ff\n"
                                               "ROOT\\K\tOdd\t7\tab\n");
    QString value;
    QVERIFY(store.getKeyValue("ROOT", "K", "Big", &value));
    QCOMPARE(value, QStringLiteral("258")); // 0x0102, not 0x12
    QVERIFY(store.getKeyValue("ROOT", "K", "Max", &value));
    QCOMPARE(value, QStringLiteral("4294967295"));
    value = "kept";
    QVERIFY(store.getKeyValue("ROOT", "K", "Odd", &value)); // other types leave the text alone
    QCOMPARE(value, QStringLiteral("kept"));
}

void SystemInfoTest::missingKeysAndValues()
{
    const auto store = RegistryFile::fromText("ROOT\\K\tA\t1\tx\n");
    QString value = "x";
    QVERIFY(!store.getKeyValue("ROOT", "Other", "A", &value));
    QVERIFY(value.isEmpty());
    value = "x";
    QVERIFY(!store.getKeyValue("ROOT", "K", "B", &value));
    QVERIFY(value.isEmpty());
    QVERIFY(!RegistryFile::fromFile("/nonexistent/keys").hasKey("ROOT", "K"));
}

void SystemInfoTest::launcherPrefersStoredPath()
{
    const auto store = RegistryFile::fromText(
        "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO\tPATH\t1\t/opt/info/run\n");
    QCOMPARE(SystemInfoLauncher(store).findProgram(), QStringLiteral("/opt/info/run"));
}

void SystemInfoTest::launcherUsesToolLocation()
{
    QTemporaryDir dir;
    QFile tool(dir.filePath("MSINFO32.EXE"));
    QVERIFY(tool.open(QIODevice::WriteOnly));
    tool.close();
    const auto store = RegistryFile::fromText(
        "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location\tMSINFO\t1\t" + dir.path() + "\n");
    QCOMPARE(SystemInfoLauncher(store).findProgram(), dir.filePath("MSINFO32.EXE"));
}

void SystemInfoTest::launcherFallsBackToPath()
{
    QTemporaryDir dir;
    const QString fake = dir.filePath("kinfocenter");
    QFile tool(fake);
    QVERIFY(tool.open(QIODevice::WriteOnly));
    tool.write("#!/bin/sh\n");
    tool.close();
    tool.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", dir.path().toUtf8());
    const QString found = SystemInfoLauncher(RegistryFile()).findProgram();
    qputenv("PATH", QByteArray());
    const QString none = SystemInfoLauncher(RegistryFile()).findProgram();
    qputenv("PATH", oldPath);
    QCOMPARE(found, fake);
    QVERIFY(none.isEmpty());
}

QTEST_MAIN(SystemInfoTest)
#include "tst_systeminfo.moc"
