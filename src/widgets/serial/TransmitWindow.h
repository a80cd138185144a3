#pragma once

#include "logic/serial/TypedKey.h"

#include <QPlainTextEdit>

// The transmit window transmitWindow: what the user types, composes (dead keys,
// Compose, input methods) or pastes goes out as bytes at once, and still
// edits the box as usual. A character outside Latin-1 has no byte: it beeps
// and is neither shown nor sent.
class TransmitWindow : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit TransmitWindow(QWidget *parent = nullptr);

    // A text file's characters as they are (CR LF, lone CR): the box shows
    // its lines, and copying the whole box gives back exactly this text
    // while it is unedited.
    void holdText(const QString &text);
    QString heldText() const;

    EnterKey enterKey() const { return m_enter; }
    void setEnterKey(EnterKey enter) { m_enter = enter; }

signals:
    // The bytes the user's last key, composed text or paste stands for.
    void typed(const QByteArray &bytes);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    QMimeData *createMimeDataFromSelection() const override;

private:
    // The Latin-1 part of `text`, announced as typed; beeps for the rest.
    QString take(const QString &text);

    EnterKey m_enter = EnterKey::Cr;
    QString m_held;
    int m_heldRevision = -1;
};
