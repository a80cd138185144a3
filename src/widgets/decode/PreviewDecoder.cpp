#include "widgets/decode/PreviewDecoder.h"

#include "logic/decode/SendStreamDecoder.h"

#include <QtConcurrent/QtConcurrentRun>

PreviewDecoder::PreviewDecoder(QObject *parent) : QObject(parent)
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(IdleDelayMs);
    connect(&m_idle, &QTimer::timeout, this, &PreviewDecoder::decodeInBackground);
    connect(&m_decoding, &QFutureWatcher<LcdByteDecoder::Result>::finished, this, &PreviewDecoder::backgroundDecoded);
}

void PreviewDecoder::setGeometry(int width, int height, const MatrixLayout &layout)
{
    m_request.width = width;
    m_request.height = height;
    m_request.layout = layout;
}

void PreviewDecoder::setText(const QString &text)
{
    // A key or two soon after the last change is typing; Convert, Reformat
    // and a paste change more.
    const bool typing = m_sinceText.isValid() && m_sinceText.elapsed() < IdleDelayMs
        && qAbs(text.size() - m_text.size()) <= 2;
    m_text = text;
    m_sinceText.start();
    if (m_decoding.isRunning())
        m_textChangedWhileDecoding = true;
    else if (typing || m_idle.isActive())
        m_idle.start();
    else
        decodeInBackground();
}

void PreviewDecoder::decodeNow()
{
    m_idle.stop();
    ++m_generation;
    m_request.stream = SendStreamDecoder::looksLikeStream(m_text);
    m_result = LcdByteDecoder::decode(m_text, m_request);
    emit decoded();
}

// A 1024x1024 text takes a good part of a second to decode: the window
// keeps answering meanwhile.
void PreviewDecoder::decodeInBackground()
{
    m_idle.stop();
    if (m_decoding.isRunning()) {
        m_textChangedWhileDecoding = true;
        return;
    }
    m_textChangedWhileDecoding = false;
    m_decodingGeneration = ++m_generation;
    LcdByteDecoder::Request request = m_request;
    request.stream = SendStreamDecoder::looksLikeStream(m_text);
    m_decoding.setFuture(QtConcurrent::run([text = m_text, request] { return LcdByteDecoder::decode(text, request); }));
}

void PreviewDecoder::backgroundDecoded()
{
    if (m_textChangedWhileDecoding) {
        decodeInBackground();
        return;
    }
    if (m_decodingGeneration != m_generation)
        return; // decoded since, with what is current
    m_request.stream = SendStreamDecoder::looksLikeStream(m_text);
    m_result = m_decoding.result();
    emit decoded();
}
