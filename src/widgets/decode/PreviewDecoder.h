#pragma once

#include "logic/decode/LcdByteDecoder.h"

#include <QElapsedTimer>
#include <QFutureWatcher>
#include <QObject>
#include <QTimer>

// Decodes the preview's text for an LCD size and layout: at once when
// asked, otherwise off the window's thread, so a large text never stalls
// the window, and only once keys that come quickly have come to rest.
class PreviewDecoder : public QObject
{
    Q_OBJECT
public:
    // Keystrokes that follow sooner than this wait until the keys rest this long.
    static constexpr int IdleDelayMs = 150;

    explicit PreviewDecoder(QObject *parent = nullptr);

    const QString &text() const { return m_text; }
    const LcdByteDecoder::Request &request() const { return m_request; }
    const LcdByteDecoder::Result &result() const { return m_result; }

    // Takes effect at the next decoding.
    void setGeometry(int width, int height, const MatrixLayout &layout);
    // Decoded soon, in the background.
    void setText(const QString &text);
    // Decodes the text now, on this thread.
    void decodeNow();

signals:
    // result() is new.
    void decoded();

private:
    void decodeInBackground();
    void backgroundDecoded();

    QString m_text;
    LcdByteDecoder::Request m_request;
    LcdByteDecoder::Result m_result;
    QTimer m_idle;
    QElapsedTimer m_sinceText;
    QFutureWatcher<LcdByteDecoder::Result> m_decoding;
    bool m_textChangedWhileDecoding = false;
    int m_generation = 0; // a background result counts only if nothing was decoded since it started
    int m_decodingGeneration = 0;
};
