#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

// Shows a small image with each pixel as a square of `zoom` screen pixels,
// like the dots of an LCD, with grid lines between the dots once they are
// big enough to tell apart. A scale below one shrinks a large picture to fit.
class LcdPictureView : public QWidget
{
    Q_OBJECT
public:
    static constexpr int GridFromZoom = 6;

    explicit LcdPictureView(QWidget *parent = nullptr);

    void setImage(const QImage &image);
    const QImage &image() const { return m_image; }
    void setZoom(int zoom) { setScale(zoom); }
    void setScale(double scale);
    double scale() const { return m_scale; }
    void setGridColour(const QColor &colour);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_image;
    double m_scale = 2;
    QColor m_grid;
};
