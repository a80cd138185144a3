#pragma once

#include <QString>

// The object names of the main window's controls and of the dialogs it opens.
// Tests find controls by them, so code and tests take them from here; a name
// says what the control is. Captions and accessible names are set apart from
// these and are what users and screen readers meet.
namespace ControlNames {

inline constexpr char aboutAction[] = "aboutAction";
inline constexpr char applyLinkButton[] = "applyLinkButton";
inline constexpr char applyPortButton[] = "applyPortButton";
inline constexpr char arrayHeightBox[] = "arrayHeightBox";
inline constexpr char arrayHeightLabel[] = "arrayHeightLabel";
inline constexpr char arrayList[] = "arrayList";
inline constexpr char arrayListLabel[] = "arrayListLabel";
inline constexpr char arrayLoadDialog[] = "arrayLoadDialog";
inline constexpr char arrayOrderBox[] = "arrayOrderBox";
inline constexpr char arrayOrderLabel[] = "arrayOrderLabel";
inline constexpr char arrayPackingBox[] = "arrayPackingBox";
inline constexpr char arrayPackingLabel[] = "arrayPackingLabel";
inline constexpr char arrayPreview[] = "arrayPreview";
inline constexpr char arrayProfileBox[] = "arrayProfileBox";
inline constexpr char arrayProfileLabel[] = "arrayProfileLabel";
inline constexpr char arrayStatusLabel[] = "arrayStatusLabel";
inline constexpr char arrayWidthBox[] = "arrayWidthBox";
inline constexpr char arrayWidthLabel[] = "arrayWidthLabel";
inline constexpr char bottomSplitter[] = "bottomSplitter";
inline constexpr char breakButton[] = "breakButton";
inline constexpr char byteCountLabel[] = "byteCountLabel";
inline constexpr char byteMatrixFrame[] = "byteMatrixFrame";
inline constexpr char canvasScrollArea[] = "canvasScrollArea";
inline constexpr char canvasStatusLabel[] = "canvasStatusLabel";
inline constexpr char canvasZoomBox[] = "canvasZoomBox";
inline constexpr char canvasZoomLabel[] = "canvasZoomLabel";
inline constexpr char caseButton[] = "caseButton";
inline constexpr char charactersLeftLabel[] = "charactersLeftLabel";
inline constexpr char clearCanvasButton[] = "clearCanvasButton";
inline constexpr char clearOutputButton[] = "clearOutputButton";
inline constexpr char clearTerminalButton[] = "clearTerminalButton";
inline constexpr char comOutBufferBox[] = "comOutBufferBox";
inline constexpr char comOutBufferLabel[] = "comOutBufferLabel";
inline constexpr char controlBytesCheck[] = "controlBytesCheck";
inline constexpr char convertButton[] = "convertButton";
inline constexpr char copyOutputButton[] = "copyOutputButton";
inline constexpr char customSettingBox[] = "customSettingBox";
inline constexpr char customSettingLabel[] = "customSettingLabel";
inline constexpr char customHeightBox[] = "customHeightBox";
inline constexpr char customHeightLabel[] = "customHeightLabel";
inline constexpr char customSizeLabel[] = "customSizeLabel";
inline constexpr char customWidthBox[] = "customWidthBox";
inline constexpr char customWidthLabel[] = "customWidthLabel";
inline constexpr char delimiterBox[] = "delimiterBox";
inline constexpr char delimiterLabel[] = "delimiterLabel";
inline constexpr char deviceBox[] = "deviceBox";
inline constexpr char deviceLabel[] = "deviceLabel";
inline constexpr char deviceScanTimer[] = "deviceScanTimer";
inline constexpr char directLoadFrame[] = "directLoadFrame";
inline constexpr char displayEepromButton[] = "displayEepromButton";
inline constexpr char displayTypeBox[] = "displayTypeBox";
inline constexpr char displayTypeLabel[] = "displayTypeLabel";
inline constexpr char drawButton[] = "drawButton";
inline constexpr char drawingToolBox[] = "drawingToolBox";
inline constexpr char drawingToolLabel[] = "drawingToolLabel";
inline constexpr char dtrCheck[] = "dtrCheck";
inline constexpr char eepromFrame[] = "eepromFrame";
inline constexpr char enterKeyBox[] = "enterKeyBox";
inline constexpr char enterKeyLabel[] = "enterKeyLabel";
inline constexpr char eraseButton[] = "eraseButton";
inline constexpr char exitAction[] = "exitAction";
inline constexpr char exportButton[] = "exportButton";
inline constexpr char fileAndFontPrompts[] = "fileAndFontPrompts";
inline constexpr char flipHorizontalButton[] = "flipHorizontalButton";
inline constexpr char flipVerticalButton[] = "flipVerticalButton";
inline constexpr char fontInUseLabel[] = "fontInUseLabel";
inline constexpr char fontToolAction[] = "fontToolAction";
inline constexpr char footerBox[] = "footerBox";
inline constexpr char footerLabel[] = "footerLabel";
inline constexpr char formatBox[] = "formatBox";
inline constexpr char formatLabel[] = "formatLabel";
inline constexpr char graphicFrame[] = "graphicFrame";
inline constexpr char handshakeLabel[] = "handshakeLabel";
inline constexpr char handshakeList[] = "handshakeList";
inline constexpr char headerBox[] = "headerBox";
inline constexpr char headerLabel[] = "headerLabel";
inline constexpr char helpAction[] = "helpAction";
inline constexpr char hexViewCheck[] = "hexViewCheck";
inline constexpr char horizontalNote[] = "horizontalNote";
inline constexpr char horizontalNoteLabel[] = "horizontalNoteLabel";
inline constexpr char horizontalOption[] = "horizontalOption";
inline constexpr char importPictureButton[] = "importPictureButton";
inline constexpr char invertedCheck[] = "invertedCheck";
inline constexpr char invertPictureButton[] = "invertPictureButton";
inline constexpr char ioSettingsFrame[] = "ioSettingsFrame";
inline constexpr char lcdSizeCaptionLabel[] = "lcdSizeCaptionLabel";
inline constexpr char lfStartsLineCheck[] = "lfStartsLineCheck";
inline constexpr char loadEepromCheck[] = "loadEepromCheck";
inline constexpr char loadEepromLabel[] = "loadEepromLabel";
inline constexpr char loadPictureButton[] = "loadPictureButton";
inline constexpr char logFileLabel[] = "logFileLabel";
inline constexpr char logToFileButton[] = "logToFileButton";
inline constexpr char mainForm[] = "mainForm";
inline constexpr char mainSplitter[] = "mainSplitter";
inline constexpr char mainWindow[] = "mainWindow";
inline constexpr char monospaceCheck[] = "monospaceCheck";
inline constexpr char openAction[] = "openAction";
inline constexpr char orderBox[] = "orderBox";
inline constexpr char orderLabel[] = "orderLabel";
inline constexpr char outputFormatFrame[] = "outputFormatFrame";
inline constexpr char outputPanel[] = "outputPanel";
inline constexpr char outputWindow[] = "outputWindow";
inline constexpr char pasteAndSendButton[] = "pasteAndSendButton";
inline constexpr char pastePictureButton[] = "pastePictureButton";
inline constexpr char penSizeBox[] = "penSizeBox";
inline constexpr char penSizeLabel[] = "penSizeLabel";
inline constexpr char picBufferLabel[] = "picBufferLabel";
inline constexpr char picBufferList[] = "picBufferList";
inline constexpr char picDelayLabel[] = "picDelayLabel";
inline constexpr char picDelayList[] = "picDelayList";
inline constexpr char picLinkFrame[] = "picLinkFrame";
inline constexpr char pixelCanvas[] = "pixelCanvas";
inline constexpr char pointerPositionLabel[] = "pointerPositionLabel";
inline constexpr char portOpenButton[] = "portOpenButton";
inline constexpr char portSettingLabel[] = "portSettingLabel";
inline constexpr char portSettingsList[] = "portSettingsList";
inline constexpr char portStateLabel[] = "portStateLabel";
inline constexpr char previewColours[] = "previewColours";
inline constexpr char previewDetails[] = "previewDetails";
inline constexpr char previewDifference[] = "previewDifference";
inline constexpr char previewPane[] = "previewPane";
inline constexpr char previewPicture[] = "previewPicture";
inline constexpr char previewZoom[] = "previewZoom";
inline constexpr char profileBox[] = "profileBox";
inline constexpr char profileLabel[] = "profileLabel";
inline constexpr char receiveTimer[] = "receiveTimer";
inline constexpr char redoButton[] = "redoButton";
inline constexpr char reformatButton[] = "reformatButton";
inline constexpr char refreshDevicesButton[] = "refreshDevicesButton";
inline constexpr char resetSettingsAction[] = "resetSettingsAction";
inline constexpr char restoreOutputButton[] = "restoreOutputButton";
inline constexpr char rotate180Button[] = "rotate180Button";
inline constexpr char rotate90Button[] = "rotate90Button";
inline constexpr char rtsCheck[] = "rtsCheck";
inline constexpr char saveOutputButton[] = "saveOutputButton";
inline constexpr char savePictureButton[] = "savePictureButton";
inline constexpr char sendProgressBar[] = "sendProgressBar";
inline constexpr char sendToLcdButton[] = "sendToLcdButton";
inline constexpr char serialInputWindow[] = "serialInputWindow";
inline constexpr char serialPortFrame[] = "serialPortFrame";
inline constexpr char stampTextBox[] = "stampTextBox";
inline constexpr char stampTextButton[] = "stampTextButton";
inline constexpr char startAddressBox[] = "startAddressBox";
inline constexpr char startAddressLabel[] = "startAddressLabel";
inline constexpr char stopSendButton[] = "stopSendButton";
inline constexpr char terminalPanel[] = "terminalPanel";
inline constexpr char textFontButton[] = "textFontButton";
inline constexpr char textOutputFrame[] = "textOutputFrame";
inline constexpr char timestampsCheck[] = "timestampsCheck";
inline constexpr char transmitActiveLabel[] = "transmitActiveLabel";
inline constexpr char transmitWindow[] = "transmitWindow";
inline constexpr char undoButton[] = "undoButton";
inline constexpr char verticalOption[] = "verticalOption";
inline constexpr char virtualLcdAction[] = "virtualLcdAction";
inline constexpr char waitCharBox[] = "waitCharBox";
inline constexpr char waitCharLabel[] = "waitCharLabel";
inline constexpr char waitForPicCheck[] = "waitForPicCheck";
inline constexpr char xmitDelayBox[] = "xmitDelayBox";
inline constexpr char xmitDelayLabel[] = "xmitDelayLabel";

// The label beside an offered LCD size, by the size's caption ("128x64").
inline QString lcdSizeLabel(const QString &caption)
{
    return QStringLiteral("lcdSize%1Label").arg(caption);
}

// The option of an LCD size, by its index in LcdSizes (the custom size's too).
inline QString lcdSizeOption(int index)
{
    return QStringLiteral("lcdSizeOption%1").arg(index);
}

// Com1..Com4's option and the label that names its device, by the Com number.
inline QString comOption(int number)
{
    return QStringLiteral("com%1Option").arg(number);
}

inline QString comDeviceLabel(int number)
{
    return QStringLiteral("com%1DeviceLabel").arg(number);
}

// The Import dialog (a picture of another size or colour depth).
inline constexpr char ditherBox[] = "ditherBox";
inline constexpr char ditherLabel[] = "ditherLabel";
inline constexpr char importDialog[] = "importDialog";
inline constexpr char importFlipHorizontalCheck[] = "importFlipHorizontalCheck";
inline constexpr char importFlipVerticalCheck[] = "importFlipVerticalCheck";
inline constexpr char importInvertCheck[] = "importInvertCheck";
inline constexpr char importPreview[] = "importPreview";
inline constexpr char importSourceLabel[] = "importSourceLabel";
inline constexpr char placementBox[] = "placementBox";
inline constexpr char placementLabel[] = "placementLabel";
inline constexpr char rotationBox[] = "rotationBox";
inline constexpr char rotationLabel[] = "rotationLabel";
inline constexpr char thresholdBox[] = "thresholdBox";
inline constexpr char thresholdLabel[] = "thresholdLabel";

// The Export dialog (the output window's bytes as a file).
inline constexpr char arrayNameBox[] = "arrayNameBox";
inline constexpr char arrayNameLabel[] = "arrayNameLabel";
inline constexpr char bytesPerLineBox[] = "bytesPerLineBox";
inline constexpr char bytesPerLineLabel[] = "bytesPerLineLabel";
inline constexpr char exportDialog[] = "exportDialog";
inline constexpr char exportProblemLabel[] = "exportProblemLabel";
inline constexpr char exportSourceLabel[] = "exportSourceLabel";
inline constexpr char hexAddressBox[] = "hexAddressBox";
inline constexpr char hexAddressLabel[] = "hexAddressLabel";
inline constexpr char linePerUnitCheck[] = "linePerUnitCheck";
inline constexpr char progmemCheck[] = "progmemCheck";
inline constexpr char templateBox[] = "templateBox";
inline constexpr char templateLabel[] = "templateLabel";

// The About and Help windows.
inline constexpr char aboutDescriptionLabel[] = "aboutDescriptionLabel";
inline constexpr char aboutDisclaimerLabel[] = "aboutDisclaimerLabel";
inline constexpr char aboutIcon[] = "aboutIcon";
inline constexpr char aboutOkButton[] = "aboutOkButton";
inline constexpr char aboutTitleLabel[] = "aboutTitleLabel";
inline constexpr char aboutVersionLabel[] = "aboutVersionLabel";
inline constexpr char aboutWindow[] = "aboutWindow";
inline constexpr char betaLabel[] = "betaLabel";
inline constexpr char systemInfoButton[] = "systemInfoButton";
inline constexpr char helpCloseButton[] = "helpCloseButton";
inline constexpr char helpText[] = "helpText";
inline constexpr char helpWindow[] = "helpWindow";

} // namespace ControlNames
