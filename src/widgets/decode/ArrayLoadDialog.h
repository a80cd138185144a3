#pragma once

#include "logic/convert/MatrixLayout.h"
#include "logic/decode/LayoutGuess.h"
#include "logic/export/ArrayFileReader.h"

#include <QDialog>
#include <QImage>
#include <functional>
#include <optional>

class LayoutBoxes;
class LcdPictureView;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTreeWidget;

// Which array of a source or binary file becomes the picture, at which size
// and in which layout: the file's arrays (name, line, bytes) with the
// likeliest picture chosen, its guessed size and layout in boxes that can
// be changed, and the picture they draw. The work is ArrayListing's.
class ArrayLoadDialog : public QDialog
{
    Q_OBJECT
public:
    struct Choice
    {
        QString arrayName;
        QImage picture; // black for a set bit, at the chosen size
        MatrixLayout layout;
    };

    // `fileName` says where the arrays come from ("logo.h").
    ArrayLoadDialog(const ArrayFileReader::Result &arrays, const QString &fileName, QWidget *parent = nullptr);

    // What the boxes choose now; a null picture when the bytes do not fit them.
    Choice choice() const;

    // Shows the dialog; the choice when accepted.
    static std::optional<Choice> ask(QWidget *parent, const ArrayFileReader::Result &arrays, const QString &fileName);

    // Tests: answers instead of a person (change the dialog's controls, then
    // return true for OK or false for Cancel). An empty function shows it again.
    static void setAnswerer(std::function<bool(ArrayLoadDialog &)> answerer);

private:
    void buildControls(const QString &fileName);
    void buildList();
    QLayout *buildSettings();
    QWidget *buildPreview();
    void arrayChosen();
    void packingChosen();
    void redraw();
    QString statusText(const QString &problem) const;
    int currentArray() const;

    ArrayFileReader::Result m_arrays;
    std::optional<LayoutGuess::Candidate> m_guess; // of the array chosen
    QImage m_picture;
    QTreeWidget *m_list = nullptr;
    QSpinBox *m_width = nullptr;
    QSpinBox *m_height = nullptr;
    QComboBox *m_packing = nullptr;
    QComboBox *m_profile = nullptr;
    QComboBox *m_order = nullptr;
    LayoutBoxes *m_layout = nullptr;
    QLabel *m_status = nullptr;
    LcdPictureView *m_preview = nullptr;
    QPushButton *m_ok = nullptr;
};
