// Installs the build into a scratch root and judges what lands there with the
// tools a distribution judges it with: desktop-file-validate, appstreamcli,
// groff, mandoc, man, and cpack with dpkg and lintian for the Debian package.
// A check whose tool is missing is skipped.

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Packing and lintian take minutes on a loaded machine; the rest seconds.
Run runTool(const QString &program, const QStringList &arguments,
            const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
            int timeoutMs = 90000)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    Run run;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        run.err = "timed out";
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QString describe(const Run &run)
{
    return QStringLiteral("exit %1\n%2%3").arg(run.exitCode).arg(QString::fromLocal8Bit(run.out),
                                                                  QString::fromLocal8Bit(run.err));
}

const QString appId = qEnvironmentVariable("TAVREL_APP_ID");
const QList<int> iconSizes = {16, 32, 48, 64, 128, 256};

// The long options that `tavrel [COMMAND] --help` lists, help options aside.
QSet<QString> optionsInHelp(const QString &help)
{
    static const QRegularExpression option(QStringLiteral("^\\s+(?:-\\w, )?--([\\w-]+)"),
                                           QRegularExpression::MultilineOption);
    QSet<QString> names;
    for (auto it = option.globalMatch(help); it.hasNext();)
        names << it.next().captured(1);
    names.remove(QStringLiteral("help"));
    names.remove(QStringLiteral("help-all"));
    return names;
}

// The manual page's text from `heading` to the next heading of its level or above.
QString manSection(const QString &page, const QString &heading)
{
    const qsizetype start = page.indexOf(QLatin1Char('\n') + heading + QLatin1Char('\n'));
    if (start < 0)
        return QString();
    const QRegularExpression next(heading.startsWith(QLatin1String(".SS")) ? QStringLiteral("\\n\\.S[HS] ")
                                                                           : QStringLiteral("\\n\\.SH "));
    const qsizetype end = page.indexOf(next, start + 1);
    return page.mid(start, end < 0 ? -1 : end - start);
}

// The long options tagged in a manual section (the lines after .TP and .TQ);
// with `settledOnly`, leaves out what is written ahead of a command that is
// still being built.
QSet<QString> optionsInManSection(const QString &section, bool settledOnly)
{
    static const QRegularExpression optionName(QStringLiteral("\\\\-\\\\-([a-z]+(?:\\\\-[a-z]+)*)"));
    QSet<QString> names;
    bool ahead = false;
    bool tagLine = false;
    for (const QString &line : section.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String(".\\\" BEGIN ahead:")))
            ahead = true;
        else if (line.startsWith(QLatin1String(".\\\" END ahead:")))
            ahead = false;
        if (tagLine && !(settledOnly && ahead)) {
            const QRegularExpressionMatch match = optionName.match(line);
            if (match.hasMatch())
                names << match.captured(1).replace(QLatin1String("\\-"), QLatin1String("-"));
        }
        tagLine = line == QLatin1String(".TP") || line == QLatin1String(".TQ");
    }
    names.remove(QStringLiteral("help"));
    names.remove(QStringLiteral("help-all"));
    return names;
}

QHash<QString, QString> desktopEntryKeys(const QString &path)
{
    QFile file(path);
    QHash<QString, QString> keys;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0)
            keys.insert(line.left(equals), line.mid(equals + 1));
    }
    return keys;
}

QHash<QString, QString> metainfoElements(const QString &path)
{
    QFile file(path);
    QHash<QString, QString> elements;
    if (!file.open(QIODevice::ReadOnly))
        return elements;
    QXmlStreamReader xml(&file);
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("component") || xml.name() == QLatin1String("provides"))
            continue;
        const QString name = xml.name().toString();
        elements.insert(name, xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed());
    }
    return elements;
}

Run unpacked(const QString &gzipped)
{
    return runTool(QStringLiteral("gzip"), {QStringLiteral("-dc"), gzipped});
}

// The paragraphs of a file in Debian's control syntax (the copyright file's
// format): blank lines part them, a line starting with a space continues the
// field above. Lines that fit neither are returned in `faults`.
QList<QHash<QString, QString>> controlParagraphs(const QString &text, QStringList *faults)
{
    static const QRegularExpression field(QStringLiteral("^([!-9;-~]+):(.*)$"));
    QList<QHash<QString, QString>> paragraphs;
    QHash<QString, QString> paragraph;
    QString name;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = field.match(line);
        if (line.isEmpty()) {
            if (!paragraph.isEmpty())
                paragraphs << paragraph;
            paragraph.clear();
            name.clear();
        } else if (match.hasMatch()) {
            name = match.captured(1);
            paragraph.insert(name, match.captured(2).trimmed());
        } else if (line.startsWith(QLatin1Char(' ')) && !line.trimmed().isEmpty() && !name.isEmpty()) {
            paragraph[name] += QLatin1Char('\n') + line.mid(1);
        } else {
            *faults << line;
        }
    }
    if (!paragraph.isEmpty())
        paragraphs << paragraph;
    return paragraphs;
}

} // namespace

class InstallationTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void installsFiles_data();
    void installsFiles();
    void passesValidators_data();
    void passesValidators();
    void desktopEntryAndMetainfoNameInstalledFiles();
    void manPageListsEveryOption_data();
    void manPageListsEveryOption();
    void pngIconsMatchTheDrawing_data();
    void pngIconsMatchTheDrawing();
    void copyrightIsMachineReadable();
    void oneVersionEverywhere_data();
    void oneVersionEverywhere();
    void debianPackage();
    void debianPackagePassesLintian();

private:
    QString installed(const QString &path) const { return m_root.filePath(QStringLiteral("usr/") + path); }
    QString manPage() const { return m_root.filePath(QStringLiteral("tavrel.1")); }
    QString packedDeb();

    QTemporaryDir m_root;
    QString m_deb;
};

void InstallationTest::initTestCase()
{
    QVERIFY(m_root.isValid());
    QVERIFY(!appId.isEmpty());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DESTDIR"), m_root.path());
    const Run install = runTool(qEnvironmentVariable("CMAKE_COMMAND"),
        {QStringLiteral("--install"), qEnvironmentVariable("TAVREL_BUILD_DIR"), QStringLiteral("--prefix"),
         QStringLiteral("/usr")}, environment);
    QVERIFY2(install.exitCode == 0, qPrintable(describe(install)));
    // groff and mandoc read the page uncompressed.
    const Run unpack = unpacked(installed("share/man/man1/tavrel.1.gz"));
    QVERIFY2(unpack.exitCode == 0, qPrintable(describe(unpack)));
    QFile page(manPage());
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write(unpack.out);
}

void InstallationTest::installsFiles_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("iconSize");
    QTest::newRow("program") << "bin/tavrel" << 0;
    QTest::newRow("desktop entry") << "share/applications/" + appId + ".desktop" << 0;
    QTest::newRow("metainfo") << "share/metainfo/" + appId + ".metainfo.xml" << 0;
    QTest::newRow("manual page") << "share/man/man1/tavrel.1.gz" << 0;
    QTest::newRow("scalable icon") << "share/icons/hicolor/scalable/apps/tavrel.svg" << 0;
    QTest::newRow("copyright") << "share/doc/tavrel/copyright" << 0;
    QTest::newRow("changelog") << "share/doc/tavrel/changelog.gz" << 0;
    for (int size : iconSizes) {
        QTest::addRow("icon %d", size) << QStringLiteral("share/icons/hicolor/%1x%1/apps/tavrel.png").arg(size)
                                      << size;
    }
}

void InstallationTest::installsFiles()
{
    QFETCH(QString, path);
    QFETCH(int, iconSize);
    const QFileInfo file(installed(path));
    QVERIFY2(file.isFile() && file.size() > 0, qPrintable(path));
    if (path.startsWith(QLatin1String("bin/")))
        QVERIFY(file.isExecutable());
    if (iconSize > 0)
        QCOMPARE(QImage(file.filePath()).size(), QSize(iconSize, iconSize));
}

void InstallationTest::passesValidators_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("file");
    QTest::newRow("desktop entry") << "desktop-file-validate" << QStringList()
                                   << installed("share/applications/" + appId + ".desktop");
    QTest::newRow("metainfo") << "appstreamcli" << QStringList{"validate", "--no-net"}
                              << installed("share/metainfo/" + appId + ".metainfo.xml");
    QTest::newRow("manual page, groff") << "groff" << QStringList{"-man", "-ww", "-z"} << manPage();
    QTest::newRow("manual page, mandoc") << "mandoc" << QStringList{"-T", "lint"} << manPage();
    QTest::newRow("manual page, man") << "man" << QStringList{"--warnings", "-l"}
                                      << installed("share/man/man1/tavrel.1.gz");
}

void InstallationTest::passesValidators()
{
    QFETCH(QString, tool);
    QFETCH(QStringList, arguments);
    QFETCH(QString, file);
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        QSKIP(qPrintable(tool + QStringLiteral(" is not installed")));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("MANPAGER"), QStringLiteral("cat"));
    const Run run = runTool(program, arguments << file, environment);
    // A clean file: the tool agrees and has nothing to say about it.
    QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
    QVERIFY2(run.err.isEmpty(), run.err.constData());
    if (tool != QLatin1String("man") && tool != QLatin1String("appstreamcli"))
        QVERIFY2(run.out.isEmpty(), run.out.constData());
    if (tool == QLatin1String("appstreamcli"))
        QVERIFY2(!run.out.contains("I: "), run.out.constData());
}

void InstallationTest::desktopEntryAndMetainfoNameInstalledFiles()
{
    const QHash<QString, QString> entry = desktopEntryKeys(installed("share/applications/" + appId + ".desktop"));
    const QString program = entry.value(QStringLiteral("Exec")).section(QLatin1Char(' '), 0, 0);
    QVERIFY2(QFileInfo(installed("bin/" + program)).isExecutable(), qPrintable(program));
    const QString icon = entry.value(QStringLiteral("Icon"));
    QVERIFY(QFileInfo::exists(installed("share/icons/hicolor/scalable/apps/" + icon + ".svg")));
    QVERIFY(QFileInfo::exists(installed("share/icons/hicolor/48x48/apps/" + icon + ".png")));

    const QHash<QString, QString> metainfo = metainfoElements(installed("share/metainfo/" + appId + ".metainfo.xml"));
    QCOMPARE(metainfo.value(QStringLiteral("id")), appId);
    QVERIFY(QFileInfo::exists(installed("share/applications/" + metainfo.value(QStringLiteral("launchable")))));
    QVERIFY(QFileInfo(installed("bin/" + metainfo.value(QStringLiteral("binary")))).isExecutable());
}

void InstallationTest::manPageListsEveryOption_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("heading");
    QTest::newRow("window") << QString() << ".SH OPTIONS";
    QTest::newRow("convert") << "convert" << ".SS \"tavrel convert\"";
    QTest::newRow("send") << "send" << ".SS \"tavrel send\"";
    QTest::newRow("decode") << "decode" << ".SS \"tavrel decode\"";
    QTest::newRow("virtual-lcd") << "virtual-lcd" << ".SS \"tavrel virtual\\-lcd\"";
    QTest::newRow("font") << "font" << ".SS \"tavrel font\"";
}

void InstallationTest::manPageListsEveryOption()
{
    QFETCH(QString, command);
    QFETCH(QString, heading);
    QStringList arguments;
    if (!command.isEmpty())
        arguments << command;
    const Run help = runTool(qEnvironmentVariable("TAVREL_BINARY"), arguments << QStringLiteral("--help"));
    const QString helpText = QString::fromUtf8(help.out);
    // An unknown command is a usage error (exit 2).
    if (!command.isEmpty() && (help.exitCode == 2 || !helpText.startsWith(QStringLiteral("Usage: tavrel ") + command)))
        QSKIP(qPrintable(QStringLiteral("this build has no \"%1\" command").arg(command)));
    QCOMPARE(help.exitCode, 0);

    QFile file(manPage());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString section = manSection(QString::fromUtf8(file.readAll()), heading);
    QVERIFY2(!section.isEmpty(), qPrintable(heading));
    const QSet<QString> inHelp = optionsInHelp(helpText);
    QVERIFY(!inHelp.isEmpty());
    // Every option the program offers is described; every settled tag is offered.
    QSet<QString> undocumented = inHelp - optionsInManSection(section, false);
    QVERIFY2(undocumented.isEmpty(), qPrintable(QStringList(undocumented.values()).join(QLatin1Char(' '))));
    QSet<QString> stale = optionsInManSection(section, true) - inHelp;
    QVERIFY2(stale.isEmpty(), qPrintable(QStringList(stale.values()).join(QLatin1Char(' '))));
}

void InstallationTest::pngIconsMatchTheDrawing_data()
{
    QTest::addColumn<int>("size");
    for (int size : iconSizes)
        QTest::addRow("%d", size) << size;
}

// The PNGs are committed: a changed drawing must be rendered again.
void InstallationTest::pngIconsMatchTheDrawing()
{
    QFETCH(int, size);
    const QString renderer = QStandardPaths::findExecutable(QStringLiteral("rsvg-convert"));
    if (renderer.isEmpty())
        QSKIP("rsvg-convert is not installed");
    const QString rendered = m_root.filePath(QStringLiteral("rendered-%1.png").arg(size));
    const Run run = runTool(renderer, {"-w", QString::number(size), "-h", QString::number(size),
                                       installed("share/icons/hicolor/scalable/apps/tavrel.svg"), "-o", rendered});
    QVERIFY2(run.exitCode == 0, qPrintable(describe(run)));
    const QImage expected = QImage(rendered).convertToFormat(QImage::Format_ARGB32);
    const QImage committed =
        QImage(installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/tavrel.png").arg(size)))
            .convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(committed.size(), expected.size());
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QRgb a = committed.pixel(x, y);
            const QRgb b = expected.pixel(x, y);
            const int difference = qMax(qMax(qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b))),
                                        qMax(qAbs(qBlue(a) - qBlue(b)), qAbs(qAlpha(a) - qAlpha(b))));
            QVERIFY2(difference <= 2, qPrintable(QStringLiteral("pixel %1,%2; run data/icons/render-pngs.sh")
                                                     .arg(x).arg(y)));
        }
    }
}

// Debian's machine-readable copyright format: a header naming the format,
// then paragraphs for files, each with its copyright and a license whose
// text is given in it or in a paragraph of its own.
void InstallationTest::copyrightIsMachineReadable()
{
    QFile file(installed("share/doc/tavrel/copyright"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QStringList faults;
    const QList<QHash<QString, QString>> paragraphs = controlParagraphs(QString::fromUtf8(file.readAll()), &faults);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    QVERIFY(!paragraphs.isEmpty());
    QCOMPARE(paragraphs.first().value(QStringLiteral("Format")),
             QStringLiteral("https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"));
    QHash<QString, QString> licenseTexts;
    for (const auto &paragraph : paragraphs) {
        const QString license = paragraph.value(QStringLiteral("License"));
        if (license.contains(QLatin1Char('\n')))
            licenseTexts.insert(license.section(QLatin1Char('\n'), 0, 0), license.section(QLatin1Char('\n'), 1));
    }
    int filesParagraphs = 0;
    for (const auto &paragraph : paragraphs) {
        if (!paragraph.contains(QStringLiteral("Files")))
            continue;
        ++filesParagraphs;
        QVERIFY(!paragraph.value(QStringLiteral("Copyright")).isEmpty());
        const QString license = paragraph.value(QStringLiteral("License")).section(QLatin1Char('\n'), 0, 0);
        QVERIFY2(licenseTexts.value(license).contains(QLatin1String("Permission is hereby granted")),
                 qPrintable(license));
    }
    QVERIFY(filesParagraphs > 0);
}

// What a user reporting a problem may quote: each names the build's version.
void InstallationTest::oneVersionEverywhere_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QFile page(manPage());
    QVERIFY(page.open(QIODevice::ReadOnly));
    QFile metainfo(installed("share/metainfo/" + appId + ".metainfo.xml"));
    QVERIFY(metainfo.open(QIODevice::ReadOnly));
    QTest::newRow("--version") << QString::fromUtf8(runTool(qEnvironmentVariable("TAVREL_BINARY"), {"--version"}).out)
                               << "^tavrel (\\S+)\n$";
    QTest::newRow("manual page") << QString::fromUtf8(page.readAll()) << "\n\\.TH TAVREL 1 \"[^\"]+\" \"Tavrel (\\S+)\"";
    QTest::newRow("metainfo, newest release") << QString::fromUtf8(metainfo.readAll()) << "<release version=\"([^\"]+)\"";
    QTest::newRow("changelog, newest entry")
        << QString::fromUtf8(unpacked(installed("share/doc/tavrel/changelog.gz")).out) << "^tavrel \\(([^)]+)\\) ";
}

void InstallationTest::oneVersionEverywhere()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    const QRegularExpressionMatch match = QRegularExpression(pattern).match(text);
    QVERIFY2(match.hasMatch(), qPrintable(text.left(300)));
    QCOMPARE(match.captured(1), qEnvironmentVariable("TAVREL_VERSION"));
}

// Packs the build once (cpack -G DEB); empty when the tools are missing or packing failed.
QString InstallationTest::packedDeb()
{
    if (!m_deb.isEmpty())
        return m_deb;
    for (const char *tool : {"dpkg-shlibdeps", "dpkg-deb", "file"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
            qWarning("%s is not installed", tool);
            return QString();
        }
    }
    const QString out = m_root.filePath(QStringLiteral("package"));
    const Run pack = runTool(qEnvironmentVariable("CPACK_COMMAND"),
        {"-G", "DEB", "--config", qEnvironmentVariable("TAVREL_BUILD_DIR") + "/CPackConfig.cmake", "-B", out},
        QProcessEnvironment::systemEnvironment(), 240000);
    const QString architecture =
        QString::fromLatin1(runTool(QStringLiteral("dpkg"), {"--print-architecture"}).out.trimmed());
    const QString deb = QStringLiteral("%1/tavrel_%2_%3.deb").arg(out, qEnvironmentVariable("TAVREL_VERSION"),
                                                                 architecture);
    if (pack.exitCode != 0 || !QFileInfo::exists(deb))
        qWarning("%s", qPrintable(describe(pack)));
    else
        m_deb = deb;
    return m_deb;
}

void InstallationTest::debianPackage()
{
    const QString deb = packedDeb();
    if (deb.isEmpty())
        QSKIP("no package (see the warning above)");

    const Run fields = runTool(QStringLiteral("dpkg-deb"), {"--field", deb, "Package", "Version", "Depends"});
    const QString control = QString::fromUtf8(fields.out);
    QVERIFY2(control.contains(QStringLiteral("Package: tavrel\n")), qPrintable(control));
    QVERIFY2(control.contains(QStringLiteral("Version: ") + qEnvironmentVariable("TAVREL_VERSION") + '\n'),
             qPrintable(control));
    // Computed from the program's libraries, plus the platform plugins the window loads.
    for (const char *dependency : {"libc6", "libqt6core6", "libqt6widgets6", "libqt6serialport6", "qt6-qpa-plugins"})
        QVERIFY2(control.contains(QLatin1String(dependency)), qPrintable(control));

    const QString contents = QString::fromUtf8(runTool(QStringLiteral("dpkg-deb"), {"--contents", deb}).out);
    for (const QString &path : {QStringLiteral("./usr/bin/tavrel"), QStringLiteral("./usr/share/man/man1/tavrel.1.gz"),
                                "./usr/share/applications/" + appId + ".desktop",
                                QStringLiteral("./usr/share/icons/hicolor/256x256/apps/tavrel.png"),
                                QStringLiteral("./usr/share/doc/tavrel/copyright"),
                                QStringLiteral("./usr/share/doc/tavrel/changelog.gz")})
        QVERIFY2(contents.contains(path), qPrintable(path));
}

// Debian's own checker: no error, no warning, pedantic tags included.
// Informational tags (I:) and pedantic ones (P:) are shown, not judged.
void InstallationTest::debianPackagePassesLintian()
{
    const QString lintian = QStandardPaths::findExecutable(QStringLiteral("lintian"));
    if (lintian.isEmpty())
        QSKIP("lintian is not installed");
    const QString deb = packedDeb();
    if (deb.isEmpty())
        QSKIP("no package (see the warning above)");
    const Run run = runTool(lintian, {"--pedantic", "-I", "--tag-display-limit", "0", deb},
                            QProcessEnvironment::systemEnvironment(), 240000);
    const QString report = QString::fromUtf8(run.out);
    static const QRegularExpression faulty(QStringLiteral("^[EW]: "), QRegularExpression::MultilineOption);
    QVERIFY2(run.exitCode == 0 && !report.contains(faulty), qPrintable(describe(run)));
    if (!report.isEmpty())
        qInfo("%s", qPrintable(report));
}

QTEST_GUILESS_MAIN(InstallationTest)
#include "tst_installation.moc"
