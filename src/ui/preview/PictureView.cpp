#include "ui/preview/PictureView.h"

#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace drossel::ui {
namespace {

constexpr double kMinZoom = 1.0 / 16;
constexpr double kMaxZoom = 32;

}  // namespace

// Draws the picture at its zoom; only the part in view is scaled.
class PictureView::Canvas : public QWidget {
public:
    using QWidget::QWidget;
    QImage picture;
    double zoom = 1;

    QSize Scaled() const {
        return QSize(std::max(1, static_cast<int>(std::lround(picture.width() * zoom))),
                     std::max(1, static_cast<int>(std::lround(picture.height() * zoom))));
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter p(this);
        const QRect area(QPoint(0, 0), Scaled());
        constexpr int kSquare = 8;
        QPixmap checker(2 * kSquare, 2 * kSquare);
        checker.fill(QColor(204, 204, 204));
        QPainter c(&checker);
        c.fillRect(0, 0, kSquare, kSquare, QColor(153, 153, 153));
        c.fillRect(kSquare, kSquare, kSquare, kSquare, QColor(153, 153, 153));
        c.end();
        p.fillRect(area.intersected(event->rect()), QBrush(checker));
        // Small textures are looked at pixel by pixel: no smoothing when enlarged.
        p.setRenderHint(QPainter::SmoothPixmapTransform, zoom < 1);
        const QRectF shown = QRectF(event->rect()).intersected(area);
        const QRectF source(shown.left() / zoom, shown.top() / zoom, shown.width() / zoom, shown.height() / zoom);
        p.drawImage(shown, picture, source);
    }
};

PictureView::PictureView(QWidget* parent) : QScrollArea(parent), canvas_(new Canvas) {
    setObjectName(QStringLiteral("PictureView"));
    setAlignment(Qt::AlignCenter);
    setWidget(canvas_);
    setWidgetResizable(false);
    setFocusPolicy(Qt::StrongFocus);
}

void PictureView::SetPicture(const QImage& picture) {
    canvas_->picture = picture;
    fit_ = true;
    Place();
}

const QImage& PictureView::picture() const {
    return canvas_->picture;
}

double PictureView::zoom() const {
    return canvas_->zoom;
}

void PictureView::ZoomBy(double factor) {
    ZoomTo(canvas_->zoom * factor);
}

void PictureView::ZoomTo(double zoom) {
    fit_ = false;
    canvas_->zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    Place();
}

void PictureView::Fit() {
    fit_ = true;
    Place();
}

void PictureView::Place() {
    const QImage& picture = canvas_->picture;
    if (fit_ && !picture.isNull()) {
        // Fitted: as large as the view allows, up to eight times for small textures.
        const QSize room = viewport()->size() - QSize(4, 4);
        const double zoom = std::min(static_cast<double>(room.width()) / picture.width(),
                                     static_cast<double>(room.height()) / picture.height());
        canvas_->zoom = std::clamp(zoom, kMinZoom, 8.0);
    }
    canvas_->resize(picture.isNull() ? QSize(0, 0) : canvas_->Scaled());
    canvas_->update();
}

void PictureView::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    if (fit_) Place();
}

void PictureView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QScrollArea::wheelEvent(event);
        return;
    }
    ZoomBy(event->angleDelta().y() > 0 ? 1.25 : 0.8);
    event->accept();
}

void PictureView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            ZoomBy(1.25);
            break;
        case Qt::Key_Minus:
            ZoomBy(0.8);
            break;
        default:
            QScrollArea::keyPressEvent(event);
            return;
    }
    event->accept();
}

}  // namespace drossel::ui
