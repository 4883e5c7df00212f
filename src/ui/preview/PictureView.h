#pragma once
// A picture in a scroll area, fitted to it or zoomed (the buttons, Ctrl and
// the mouse wheel, or + and -), over a checkerboard that shows its alpha.

#include <QImage>
#include <QScrollArea>

namespace drossel::ui {

class PictureView : public QScrollArea {
    Q_OBJECT

public:
    explicit PictureView(QWidget* parent);

    void SetPicture(const QImage& picture);
    const QImage& picture() const;
    // 1.0 shows one pixel of the picture as one pixel of the screen.
    double zoom() const;
    void ZoomBy(double factor);
    void ZoomTo(double zoom);
    void Fit();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    class Canvas;
    void Place();

    Canvas* canvas_;
    bool fit_ = true;
};

}  // namespace drossel::ui
