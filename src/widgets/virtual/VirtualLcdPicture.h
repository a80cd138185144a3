#pragma once

#include <QFrame>
#include <QImage>

// The virtual LCD's picture, as large as the window lets it be: whole
// screen pixels per LCD pixel while it fits, shrunk smoothly (keeping its
// shape) when the LCD is larger than the room, so a 1024x1024 LCD still
// fits a small screen. It asks for a few screen pixels per LCD pixel.
class VirtualLcdPicture : public QFrame
{
    Q_OBJECT
public:
    explicit VirtualLcdPicture(QSize lcd, QWidget *parent = nullptr);

    void setImage(const QImage &image);
    // Screen pixels per LCD pixel as drawn now (below one when shrunk).
    double scale() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_image;
    int m_wishedScale;
};
