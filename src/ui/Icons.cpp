#include "ui/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <functional>
#include <numbers>

namespace drossel::ui {
namespace {

using Drawing = std::function<void(QPainter&)>;

const QColor kOutline(60, 60, 60);
const QColor kFolder(236, 190, 80);
const QColor kFolderBack(214, 160, 50);
const QColor kBox(196, 150, 96);
const QColor kBoxTop(222, 184, 130);
const QColor kPaper(250, 250, 246);
const QColor kBlue(45, 110, 200);
const QColor kGreen(50, 150, 70);
const QColor kRed(200, 50, 45);
const QColor kStar(240, 140, 30);

// Draws `drawing` (made for a `units` x `units` grid) at each of the given sizes.
QIcon IconOf(int units, std::initializer_list<int> sizes, const Drawing& drawing) {
    QIcon icon;
    for (int size : sizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(double(size) / units, double(size) / units);
        drawing(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void Folder(QPainter& p, double x, double y, double w, double h, bool open = false) {
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kFolderBack);
    QPainterPath back;
    back.moveTo(x, y + h);
    back.lineTo(x, y + 1.5);
    back.lineTo(x + w * 0.35, y + 1.5);
    back.lineTo(x + w * 0.45, y + 3.5);
    back.lineTo(x + w, y + 3.5);
    back.lineTo(x + w, y + h);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(kFolder);
    if (open) {
        QPainterPath front;
        front.moveTo(x, y + h);
        front.lineTo(x + w * 0.2, y + h * 0.42);
        front.lineTo(x + w + 1.5, y + h * 0.42);
        front.lineTo(x + w, y + h);
        front.closeSubpath();
        p.drawPath(front);
    } else {
        p.drawRect(QRectF(x, y + 5.5, w, h - 5.5));
    }
}

void Box(QPainter& p, double x, double y, double s) {
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kBox);
    p.drawRect(QRectF(x, y + s * 0.3, s, s * 0.7));
    p.setBrush(kBoxTop);
    p.drawRect(QRectF(x - 0.5, y + s * 0.12, s + 1, s * 0.22));
    p.setPen(QPen(QColor(120, 85, 50), 1));
    p.drawLine(QPointF(x + s / 2, y + s * 0.12), QPointF(x + s / 2, y + s));
}

void Page(QPainter& p, double x, double y, double w, double h) {
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kPaper);
    QPainterPath page;
    page.moveTo(x, y);
    page.lineTo(x + w - 5, y);
    page.lineTo(x + w, y + 5);
    page.lineTo(x + w, y + h);
    page.lineTo(x, y + h);
    page.closeSubpath();
    p.drawPath(page);
    p.setPen(QPen(QColor(150, 150, 150), 1));
    for (double line = y + 7; line < y + h - 2; line += 3)
        p.drawLine(QPointF(x + 2.5, line), QPointF(x + w - 2.5, line));
}

// A thick arrow pointing down, its tip at (x, y).
void ArrowDown(QPainter& p, double x, double y, const QColor& colour) {
    QPainterPath arrow;
    arrow.moveTo(x, y);
    arrow.lineTo(x - 5, y - 5);
    arrow.lineTo(x - 2, y - 5);
    arrow.lineTo(x - 2, y - 10);
    arrow.lineTo(x + 2, y - 10);
    arrow.lineTo(x + 2, y - 5);
    arrow.lineTo(x + 5, y - 5);
    arrow.closeSubpath();
    p.setPen(QPen(colour.darker(150), 1));
    p.setBrush(colour);
    p.drawPath(arrow);
}

void Star(QPainter& p, double cx, double cy, double r) {
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 == 0 ? r : r * 0.45;
        const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const QPointF point(cx + radius * std::cos(angle), cy + radius * std::sin(angle));
        if (i == 0)
            star.moveTo(point);
        else
            star.lineTo(point);
    }
    star.closeSubpath();
    p.setPen(QPen(kStar.darker(160), 1));
    p.setBrush(kStar);
    p.drawPath(star);
}

void InfoBadge(QPainter& p, double cx, double cy) {
    p.setPen(QPen(kBlue.darker(150), 1));
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(cx, cy), 5.5, 5.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(cx, cy - 3), 1.1, 1.1);
    p.drawRect(QRectF(cx - 1, cy - 1, 2, 5));
}

void Cross(QPainter& p, double cx, double cy) {
    p.setPen(QPen(kRed, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(cx - 4, cy - 4), QPointF(cx + 4, cy + 4));
    p.drawLine(QPointF(cx - 4, cy + 4), QPointF(cx + 4, cy - 4));
}

void Disk(QPainter& p, double x, double y) {
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(160, 170, 185));
    p.drawRect(QRectF(x, y + 2, 10, 7));
    p.drawEllipse(QRectF(x, y + 6, 10, 4));
    p.setBrush(QColor(200, 208, 220));
    p.drawEllipse(QRectF(x, y, 10, 4));
}

void ListLines(QPainter& p, bool indented) {
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kPaper);
    p.drawRect(QRectF(2.5, 2.5, 19, 19));
    for (int row = 0; row < 4; ++row) {
        const double y = 6 + row * 4;
        const double indent = indented && row % 2 == 1 ? 4 : 0;
        p.setPen(Qt::NoPen);
        p.setBrush(row % 2 == 0 || !indented ? kFolderBack : kBlue);
        p.drawRect(QRectF(5 + indent, y - 1, 2.5, 2.5));
        p.setPen(QPen(QColor(90, 90, 90), 1.2));
        p.drawLine(QPointF(9.5 + indent, y + 0.2), QPointF(19, y + 0.2));
    }
    if (indented) {
        p.setPen(QPen(QColor(120, 120, 120), 0.8));
        p.drawLine(QPointF(6.2, 7.5), QPointF(6.2, 14));
        p.drawLine(QPointF(6.2, 10), QPointF(9, 10));
        p.drawLine(QPointF(6.2, 14), QPointF(9, 14));
    }
}

Drawing ToolbarDrawing(int button) {
    switch (button) {
        case 1:
            return [](QPainter& p) {
                Folder(p, 2, 5, 19, 15, true);
                ArrowDown(p, 17, 12, kGreen);
            };
        case 2:
            return [](QPainter& p) {
                Folder(p, 1, 4, 17, 14);
                Disk(p, 12, 12);
            };
        case 3:
            return [](QPainter& p) {
                Page(p, 3, 2, 14, 19);
                Cross(p, 16, 16);
            };
        case 5:
            return [](QPainter& p) {
                Box(p, 2, 9, 13);
                ArrowDown(p, 18, 21, kBlue);
            };
        case 6:
            return [](QPainter& p) {
                Folder(p, 1, 5, 16, 14);
                ArrowDown(p, 18, 22, kBlue);
            };
        case 8:
            return [](QPainter& p) {
                Box(p, 2, 9, 13);
                Star(p, 17.5, 7, 6);
            };
        case 9:
            return [](QPainter& p) {
                Folder(p, 1, 7, 16, 14);
                Star(p, 17.5, 7, 6);
            };
        case 11:
            return [](QPainter& p) {
                Page(p, 3, 2, 14, 19);
                InfoBadge(p, 16.5, 16.5);
            };
        case 12:
            return [](QPainter& p) {
                Box(p, 2, 5, 13);
                InfoBadge(p, 16.5, 16.5);
            };
        case 14:
            return [](QPainter& p) {
                Box(p, 1, 1, 10);
                Box(p, 7, 6, 10);
                ArrowDown(p, 18, 22, kBlue);
            };
        case 15:
            return [](QPainter& p) {
                Box(p, 1, 6, 10);
                Box(p, 7, 11, 10);
                Star(p, 17.5, 6, 5.5);
            };
        case 16:
            return [](QPainter& p) { ListLines(p, false); };
        case 17:
            return [](QPainter& p) { ListLines(p, true); };
        default:
            return {};
    }
}

void Thrush(QPainter& p) {
    // Sky.
    QLinearGradient sky(0, 0, 0, 100);
    sky.setColorAt(0, QColor(170, 205, 235));
    sky.setColorAt(1, QColor(235, 242, 248));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRoundedRect(QRectF(0, 0, 100, 100), 8, 8);
    // Branch.
    p.setPen(QPen(QColor(105, 75, 45), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 80), QPointF(96, 70));
    p.setPen(QPen(QColor(105, 75, 45), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(70, 73), QPointF(88, 86));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 150, 70));
    p.drawEllipse(QRectF(84, 82, 10, 6));
    p.drawEllipse(QRectF(10, 72, 10, 6));
    // Tail.
    QPainterPath tail;
    tail.moveTo(30, 62);
    tail.lineTo(8, 76);
    tail.lineTo(14, 80);
    tail.lineTo(36, 68);
    tail.closeSubpath();
    p.setBrush(QColor(120, 90, 60));
    p.drawPath(tail);
    // Body, speckled breast, wing, head.
    p.setBrush(QColor(135, 100, 65));
    p.drawEllipse(QRectF(26, 40, 44, 32));
    p.setBrush(QColor(245, 230, 200));
    p.drawEllipse(QRectF(44, 46, 24, 24));
    p.setBrush(QColor(90, 60, 35));
    for (const QPointF spot : {QPointF(52, 52), QPointF(58, 55), QPointF(54, 60), QPointF(61, 62), QPointF(49, 64),
                               QPointF(56, 66), QPointF(63, 57)}) {
        p.drawEllipse(spot, 1.5, 1.8);
    }
    p.setBrush(QColor(110, 80, 50));
    QPainterPath wing;
    wing.moveTo(30, 50);
    wing.cubicTo(40, 44, 52, 48, 50, 58);
    wing.cubicTo(44, 66, 34, 64, 30, 50);
    p.drawPath(wing);
    p.setBrush(QColor(135, 100, 65));
    p.drawEllipse(QRectF(56, 28, 22, 20));
    QPainterPath beak;
    beak.moveTo(76, 36);
    beak.lineTo(88, 39);
    beak.lineTo(76, 42);
    beak.closeSubpath();
    p.setBrush(QColor(230, 170, 60));
    p.drawPath(beak);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(69, 35), 3, 3);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(70, 35), 1.6, 1.6);
    // Legs.
    p.setPen(QPen(QColor(200, 140, 90), 2));
    p.drawLine(QPointF(44, 70), QPointF(44, 77));
    p.drawLine(QPointF(52, 70), QPointF(53, 76));
}

}  // namespace

QIcon ToolbarIcon(int button) {
    const Drawing drawing = ToolbarDrawing(button);
    if (!drawing) return {};
    return IconOf(24, {24, 48}, drawing);
}

QIcon TreeNodeIcon(int image) {
    switch (image) {
        case 1:
            return IconOf(16, {16, 32}, [](QPainter& p) { Folder(p, 1, 2, 14, 12); });
        case 2:
            return IconOf(16, {16, 32}, [](QPainter& p) { Folder(p, 1, 2, 13, 12, true); });
        case 3:
            return IconOf(16, {16, 32}, [](QPainter& p) {
                p.setPen(QPen(kOutline, 0.8));
                p.setBrush(kPaper);
                p.drawRect(QRectF(3.5, 1.5, 10, 13));
                p.setPen(QPen(kBlue, 1));
                for (double y = 4.5; y < 13; y += 2.5) p.drawLine(QPointF(5.5, y), QPointF(11.5, y));
            });
        default:
            return {};
    }
}

QPixmap AboutArtwork(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 100.0, size / 100.0);
    Thrush(p);
    return pixmap;
}

}  // namespace drossel::ui
