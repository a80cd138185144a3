#include "FormLookup.h"
#include "widgets/ui/ControlNames.h"
#include "MessageRecorder.h"
#include "gui/MainWindow.h"
#include "widgets/canvas/PixelCanvas.h"
#include "logic/convert/ByteMatrix.h"
#include "widgets/decode/PreviewPane.h"
#include "logic/export/ArrayFileReader.h"
#include "widgets/ui/FileAndFontPrompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {
// On Linux a combo box is announced by its value; its caption reaches
// screen readers as the label it is labelled by.
QString labelOf(QWidget *widget)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    const auto labels = accessible ? accessible->relations(QAccessible::Label) : decltype(accessible->relations())();
    return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
}
} // namespace

// The Byte Matrix frame's profile choice and the "Export…" button, driven
// through the window as a user and an assistive tool drive them.
class ExportWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void profilesRefineEachPacking();
    void customChoiceReachesTheBytes_data();
    void customChoiceReachesTheBytes();
    void previewDrawsInTheChosenLayout();
    void reformatKeepsThePicsBytes();
    void exportWritesTheChosenForm();
    void exportDialogSaysWhatIsWrong();
    void exportWritesWhatTheWindowHolds();

private:
    template <typename T = QWidget>
    T *get(const QString &name) const
    {
        return control<T>(m_window, name);
    }
    QComboBox *combo(const char *name) const { return get<QComboBox>(name); }
    // Answers the Export dialog with `fill` once it shows.
    void answerExportDialog(const std::function<void(QDialog *)> &fill);

    MainWindow *m_window = nullptr;
    QTemporaryDir m_dir;
};

void ExportWindowTest::init()
{
    m_window = new MainWindow;
}

void ExportWindowTest::cleanup()
{
    FileAndFontPrompts::setAnswerer({});
    delete m_window;
}

void ExportWindowTest::profilesRefineEachPacking()
{
    QComboBox *profile = combo(ControlNames::profileBox);
    QVERIFY(profile);
    QCOMPARE(profile->currentText(), QStringLiteral("T6963C, SED1330, ST7920"));
    QComboBox *order = combo(ControlNames::orderBox);
    QVERIFY(order);
    QCOMPARE(order->currentText(), QStringLiteral("MSB at left"));
    QVERIFY(!order->isEnabled());
    QCOMPARE(labelOf(profile), QStringLiteral("Profile"));
    QCOMPARE(labelOf(order), QStringLiteral("Order"));

    auto *verticalOption = get<QAbstractButton>(ControlNames::verticalOption);
    QVERIFY(verticalOption);
    verticalOption->toggle(); // as an assistive tool chooses
    QCOMPARE(profile->currentText(), QStringLiteral("KS0108, SSD1306, SH1106, ST7565, PCD8544"));
    QCOMPARE(order->currentText(), QStringLiteral("LSB at top, page by page"));
    profile->setCurrentIndex(profile->findText("SSD1306, PCD8544 vertical addressing"));
    QCOMPARE(order->currentText(), QStringLiteral("LSB at top, column by column"));
    profile->setCurrentIndex(profile->findText("Custom"));
    QVERIFY(order->isEnabled());
    QCOMPARE(order->currentText(), QStringLiteral("LSB at top, column by column")); // kept from the profile
    QCOMPARE(order->count(), 4);

    // Back to Horizontal: its usual bytes again, and no columns to scan.
    auto *horizontalOption = get<QAbstractButton>(ControlNames::horizontalOption);
    QVERIFY(horizontalOption);
    horizontalOption->toggle();
    QCOMPARE(profile->currentIndex(), 0);
    QCOMPARE(order->count(), 3); // MSB or LSB at left, and the T6963C's 6-pixel font mode
    profile->setCurrentIndex(profile->findText("T6963C 6-pixel font mode"));
    QCOMPARE(order->currentText(), QStringLiteral("MSB at left, 6 pixels a byte"));
}

void ExportWindowTest::customChoiceReachesTheBytes_data()
{
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<QString>("order");
    QTest::addColumn<QString>("start"); // the text's first bytes
    // (0,0) and (1,1) black; 240 columns, 8 pages: column by column, column 0
    // holds (0,0) in its first page, column 1 holds (1,1).
    QTest::newRow("MSB at top, pages") << true << "MSB at top, page by page" << "8040";
    QTest::newRow("LSB at top, columns") << true << "LSB at top, column by column" << "01" + QString(14, '0') + "02";
    QTest::newRow("LSB at left") << false << "LSB at left" << "0100000000";
}

void ExportWindowTest::customChoiceReachesTheBytes()
{
    QFETCH(bool, vertical);
    QFETCH(QString, order);
    QFETCH(QString, start);
    auto *abstractButton = get<QAbstractButton>(vertical ? ControlNames::verticalOption : ControlNames::horizontalOption);
    QVERIFY(abstractButton);
    abstractButton->click();
    auto *profileBox = combo(ControlNames::profileBox);
    QVERIFY(profileBox);
    profileBox->setCurrentIndex(profileBox->findText("Custom"));
    auto *orderBox = combo(ControlNames::orderBox);
    QVERIFY(orderBox);
    orderBox->setCurrentIndex(orderBox->findText(order));
    auto *canvas = get<PixelCanvas>(ControlNames::pixelCanvas);
    QVERIFY(canvas);
    canvas->setPoint({0, 0});
    canvas->setPoint({1, 1});
    auto *convertButton = get<QAbstractButton>(ControlNames::convertButton);
    QVERIFY(convertButton);
    convertButton->click();
    auto *outputWindow = get<QPlainTextEdit>(ControlNames::outputWindow);
    QVERIFY(outputWindow);
    const QString text = outputWindow->toPlainText();
    QVERIFY2(text.startsWith(start), qPrintable(text.left(20)));
}

// The preview reads the output text in the layout chosen, whenever it changes.
void ExportWindowTest::previewDrawsInTheChosenLayout()
{
    auto *preview = get<PreviewPane>(ControlNames::previewPane);
    QVERIFY(preview);
    auto *verticalOption = get<QAbstractButton>(ControlNames::verticalOption);
    QVERIFY(verticalOption);
    verticalOption->click();
    auto *profileBox = combo(ControlNames::profileBox);
    QVERIFY(profileBox);
    profileBox->setCurrentIndex(profileBox->findText("Custom"));
    auto *orderBox = combo(ControlNames::orderBox);
    QVERIFY(orderBox);
    orderBox->setCurrentIndex(orderBox->findText("MSB at top, column by column"));
    auto *canvas = get<PixelCanvas>(ControlNames::pixelCanvas);
    QVERIFY(canvas);
    for (int x = 0; x < 40; ++x)
        canvas->setPoint({x, x / 3});
    auto *convertButton = get<QAbstractButton>(ControlNames::convertButton);
    QVERIFY(convertButton);
    convertButton->click();
    preview->decodeNow();
    QCOMPARE(preview->differingPixels(), 0);
    QVERIFY(preview->result().ok());
    const QImage columnByColumn = preview->shownImage();
    // The same text read page by page draws another picture, not held against the canvas until Convert.
    orderBox->setCurrentIndex(orderBox->findText("MSB at top, page by page"));
    preview->decodeNow();
    QVERIFY(preview->shownImage() != columnByColumn);
    QCOMPARE(preview->differingPixels(), -1);
}

// The PIC's firmware draws KS0108 and T6963C bytes: no stream in another order.
void ExportWindowTest::reformatKeepsThePicsBytes()
{
    MessageRecorder recorder;
    auto *profileBox = combo(ControlNames::profileBox);
    QVERIFY(profileBox);
    profileBox->setCurrentIndex(profileBox->findText("XBM, LSB at left"));
    auto *convertButton = get<QAbstractButton>(ControlNames::convertButton);
    QVERIFY(convertButton);
    convertButton->click();
    auto *outputWindow = get<QPlainTextEdit>(ControlNames::outputWindow);
    QVERIFY(outputWindow);
    const QString converted = outputWindow->toPlainText();
    auto *reformatButton = get<QAbstractButton>(ControlNames::reformatButton);
    QVERIFY(reformatButton);
    reformatButton->click();
    QCOMPARE(recorder.messages.size(), 1);
    QVERIFY(recorder.messages.first().startsWith("The PIC takes KS0108 or T6963C bytes only"));
    QCOMPARE(outputWindow->toPlainText(), converted);
    profileBox->setCurrentIndex(0);
    convertButton->click();
    reformatButton->click();
    QCOMPARE(recorder.messages.size(), 1);
    auto *sendToLcdButton = get<QPushButton>(ControlNames::sendToLcdButton);
    QVERIFY(sendToLcdButton);
    QVERIFY(sendToLcdButton->isEnabled());
}

void ExportWindowTest::answerExportDialog(const std::function<void(QDialog *)> &fill)
{
    QTimer::singleShot(0, m_window, [fill] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        fill(dialog);
    });
}

void ExportWindowTest::exportWritesTheChosenForm()
{
    auto *exportButton = get<QPushButton>(ControlNames::exportButton);
    QVERIFY(!exportButton->isEnabled());
    QCOMPARE(spokenName(exportButton), QStringLiteral("Export…"));
    auto *verticalOption = get<QAbstractButton>(ControlNames::verticalOption);
    QVERIFY(verticalOption);
    verticalOption->click();
    auto *pixelCanvas = get<PixelCanvas>(ControlNames::pixelCanvas);
    QVERIFY(pixelCanvas);
    pixelCanvas->setPoint({3, 1});
    auto *convertButton = get<QAbstractButton>(ControlNames::convertButton);
    QVERIFY(convertButton);
    convertButton->click();
    QVERIFY(exportButton->isEnabled());

    const QString path = m_dir.filePath("logo.h");
    QString title;
    FileAndFontPrompts::setAnswerer([&](FileAndFontPrompts &dialog, FileAndFontPrompts::Mode) {
        title = dialog.dialogTitle;
        return path;
    });
    answerExportDialog([](QDialog *dialog) {
        auto *name = control<QLineEdit>(dialog, ControlNames::arrayNameBox);
        QVERIFY(name);
        auto *templateBox = control<QComboBox>(dialog, ControlNames::templateBox);
        QVERIFY(templateBox);
        QCOMPARE(templateBox->currentText(), QStringLiteral("C source"));
        QCOMPARE(spokenName(name), QStringLiteral("Name"));
        auto *bytesPerLineBox = control<QSpinBox>(dialog, ControlNames::bytesPerLineBox);
        QVERIFY(bytesPerLineBox);
        QCOMPARE(spokenName(bytesPerLineBox), QStringLiteral("Bytes per line"));
        QCOMPARE(labelOf(templateBox), QStringLiteral("Template"));
        name->setText("logo");
        auto *linePerUnitCheck = control<QCheckBox>(dialog, ControlNames::linePerUnitCheck);
        QVERIFY(linePerUnitCheck);
        linePerUnitCheck->setChecked(true);
        auto *dialogButtonBox = control<QDialogButtonBox>(dialog, {});
        QVERIFY(dialogButtonBox);
        dialogButtonBox->button(QDialogButtonBox::Save)->click();
    });
    exportButton->click();
    QCOMPARE(title, QStringLiteral("Export to File"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    QVERIFY2(content.contains("const uint8_t logo[1920] = {\n    0x00, 0x00, 0x00, 0x02,"), content.left(300).constData());
    // One line a page: 240 bytes, 8 lines.
    QCOMPARE(content.count("\n    0x"), 8);
    auto *canvas = get<PixelCanvas>(ControlNames::pixelCanvas);
    QVERIFY(canvas);
    QCOMPARE(ArrayFileReader::read(content).bytes, ByteMatrix::vertical(canvas->image(), 240, 64));
}

void ExportWindowTest::exportDialogSaysWhatIsWrong()
{
    auto *convertButton = get<QAbstractButton>(ControlNames::convertButton);
    QVERIFY(convertButton);
    convertButton->click();
    bool asked = false;
    FileAndFontPrompts::setAnswerer([&](FileAndFontPrompts &, FileAndFontPrompts::Mode) {
        asked = true;
        return QString();
    });
    answerExportDialog([](QDialog *dialog) {
        auto *templateBox = control<QComboBox>(dialog, ControlNames::templateBox);
        QVERIFY(templateBox);
        auto *dialogButtonBox = control<QDialogButtonBox>(dialog, {});
        QVERIFY(dialogButtonBox);
        auto *save = dialogButtonBox->button(QDialogButtonBox::Save);
        auto *nameBox = control<QLineEdit>(dialog, ControlNames::arrayNameBox);
        QVERIFY(nameBox);
        nameBox->setText("2logo");
        QVERIFY(!save->isEnabled());
        auto *problemLabel = control<QLabel>(dialog, ControlNames::exportProblemLabel);
        QVERIFY(problemLabel);
        QVERIFY(problemLabel->text().startsWith("The name \"2logo\" is no C identifier"));
        templateBox->setCurrentIndex(templateBox->findText("Intel HEX"));
        QVERIFY(save->isEnabled()); // a HEX file names nothing
        auto *progmemCheck = control<QCheckBox>(dialog, ControlNames::progmemCheck);
        QVERIFY(progmemCheck);
        QVERIFY(!progmemCheck->isEnabled());
        auto *address = control<QLineEdit>(dialog, ControlNames::hexAddressBox);
        QVERIFY(address->isEnabled());
        address->setText("0x1_0000");
        QVERIFY(!save->isEnabled());
        dialog->reject();
    });
    auto *exportButton = get<QPushButton>(ControlNames::exportButton);
    QVERIFY(exportButton);
    exportButton->click();
    QVERIFY(!asked);
}

void ExportWindowTest::exportWritesWhatTheWindowHolds()
{
    MessageRecorder recorder;
    auto *output = get<QPlainTextEdit>(ControlNames::outputWindow);
    auto *exportButton = get<QPushButton>(ControlNames::exportButton);
    QVERIFY(output && exportButton);
    if (auto *found = get<QAbstractButton>(ControlNames::verticalOption))
        found->click();
    if (auto *found = get<QAbstractButton>(ControlNames::convertButton))
        found->click();
    output->setPlainText(output->toPlainText().replace(0, 2, QStringLiteral("a5"))); // the first byte edited
    const QString path = m_dir.filePath("edited.h");
    FileAndFontPrompts::setAnswerer([&](FileAndFontPrompts &, FileAndFontPrompts::Mode) { return path; });
    QString said;
    answerExportDialog([&said](QDialog *dialog) {
        if (auto *source = control<QLabel>(dialog, ControlNames::exportSourceLabel))
            said = source->text();
        if (auto *found = control<QLineEdit>(dialog, ControlNames::arrayNameBox))
            found->setText("edited");
        if (auto *found = control<QDialogButtonBox>(dialog, {}))
            found->button(QDialogButtonBox::Save)->click();
    });
    exportButton->click();
    QCOMPARE(said, QStringLiteral("Writes the 1920 bytes the output window holds, read as a 240x64 picture."));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY2(file.readAll().contains("= {\n    0xa5, 0x00,"), qPrintable(path));
    // Text that is no picture of this size is refused with the reason, before any dialog.
    output->setPlainText(QStringLiteral("a5 00"));
    exportButton->click();
    QCOMPARE(recorder.messages.size(), 1);
    QVERIFY2(recorder.messages.first().startsWith("Nothing to export: the output window's text is not a 240x64 picture"),
             qPrintable(recorder.messages.first()));
    if (auto *found = get<QAbstractButton>(ControlNames::clearOutputButton))
        found->click();
    QVERIFY(!exportButton->isEnabled());
}

QTEST_MAIN(ExportWindowTest)
#include "tst_exportwindow.moc"
