#pragma once

#include <QSize>
#include <QWidget>

class QAbstractButton;
class QComboBox;
class QRadioButton;
class QSpinBox;

// "LCD Size": the eight offered sizes and "Custom" with its width, height
// and the display type the PIC is told (shown only for a custom size).
class SizeSelector : public QWidget
{
    Q_OBJECT
public:
    explicit SizeSelector(QWidget *parent = nullptr);

    int index() const { return m_index; }
    QSize lcdSize() const { return m_size; }
    QChar displayType() const;
    QList<QWidget *> focusOrder() const;
    // Width, height and display type of "Custom", shown while it is chosen;
    // it needs more room than the column of options, so the panel places it.
    QWidget *customBox() const { return m_customBox; }

    // Load locks every size but "320x200" until "Clear".
    void setLocked(bool locked);
    bool isLocked() const { return m_locked; }
    // Shows a size as chosen without announcing it (undo and redo).
    void showSize(int index, QSize size);
    // Shows a custom size's display type as chosen (settings of the last run).
    void showDisplayType(QChar type);

signals:
    void sizeChosen(int index, QSize size);
    void displayTypeChosen(QChar type);

private:
    void buildCustomBox();
    void optionToggled(int index, bool checked);
    void customSizeEdited();

    QRadioButton *m_options[9] = {};
    QWidget *m_customBox = nullptr;
    QSpinBox *m_width = nullptr;
    QSpinBox *m_height = nullptr;
    QComboBox *m_displayType = nullptr;
    int m_index = 0;
    QSize m_size{240, 64};
    bool m_locked = false;
    bool m_quiet = false;
};
