#pragma once

class CanvasPanel;
class ConvertControls;
class OutputPanel;
class PicLinkControls;
class PreviewPane;
class QWidget;
class SerialPortPanel;
class TerminalPanel;

// The panels the main window shows, for laying them out.
struct PanelSet {
    CanvasPanel &canvas;
    ConvertControls &convert;
    PicLinkControls &link;
    OutputPanel &output;
    PreviewPane &preview;
    SerialPortPanel &port;
    TerminalPanel &terminal;
};

// Where each panel stands in the main window: the canvas and the I/O
// settings above, the output window, preview, port and terminal below.
namespace PanelLayout {

void layOut(QWidget *form, const PanelSet &panels);

} // namespace PanelLayout
