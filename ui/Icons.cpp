#include "ui/Icons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace pw::ui::icons {
namespace {

using Painter = std::function<void(QPainter&, qreal)>;

// Draws the same picture at the sizes a toolbar, a menu and a tree use.
QIcon drawn(const Painter& paint) {
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        paint(painter, size / 32.0);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

// A database cylinder in a 32-unit box.
void cylinder(QPainter& p, qreal s, QRectF box, QColor body) {
    QRectF r(box.x() * s, box.y() * s, box.width() * s, box.height() * s);
    qreal capHeight = r.height() * 0.28;
    QLinearGradient fill(r.topLeft(), r.topRight());
    fill.setColorAt(0, body.lighter(150));
    fill.setColorAt(1, body.darker(120));
    QPainterPath path;
    path.moveTo(r.left(), r.top() + capHeight / 2);
    path.lineTo(r.left(), r.bottom() - capHeight / 2);
    path.arcTo(QRectF(r.left(), r.bottom() - capHeight, r.width(), capHeight), 180, 180);
    path.lineTo(r.right(), r.top() + capHeight / 2);
    path.arcTo(QRectF(r.left(), r.top(), r.width(), capHeight), 0, 180);
    p.setPen(QPen(body.darker(170), 1.0 * s));
    p.setBrush(fill);
    p.drawPath(path);
    p.setBrush(body.lighter(170));
    p.drawEllipse(QRectF(r.left(), r.top(), r.width(), capHeight));
}

void roundBadge(QPainter& p, qreal s, QColor color, const QString& letter) {
    QRectF r(3 * s, 3 * s, 26 * s, 26 * s);
    QRadialGradient fill(r.center() - QPointF(5 * s, 5 * s), 18 * s);
    fill.setColorAt(0, color.lighter(160));
    fill.setColorAt(1, color);
    p.setPen(QPen(color.darker(150), 1.2 * s));
    p.setBrush(fill);
    p.drawEllipse(r);
    QFont font("Arial");
    font.setBold(true);
    font.setPixelSize(qMax(8, int(19 * s)));
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(r, Qt::AlignCenter, letter);
}

QIcon arrow(bool pointsLeft) {
    return drawn([pointsLeft](QPainter& p, qreal s) {
        QPolygonF shape;
        if (pointsLeft)
            shape << QPointF(4, 16) << QPointF(16, 5) << QPointF(16, 11) << QPointF(28, 11)
                  << QPointF(28, 21) << QPointF(16, 21) << QPointF(16, 27);
        else
            shape << QPointF(28, 16) << QPointF(16, 5) << QPointF(16, 11) << QPointF(4, 11)
                  << QPointF(4, 21) << QPointF(16, 21) << QPointF(16, 27);
        for (QPointF& point : shape) point *= s;
        QLinearGradient fill(0, 5 * s, 0, 27 * s);
        fill.setColorAt(0, QColor(120, 200, 110));
        fill.setColorAt(1, QColor(40, 130, 40));
        p.setPen(QPen(QColor(30, 90, 30), 1.0 * s));
        p.setBrush(fill);
        p.drawPolygon(shape);
    });
}

}  // namespace

QIcon open() {
    return drawn([](QPainter& p, qreal s) {
        QPolygonF back;
        back << QPointF(2, 8) << QPointF(11, 8) << QPointF(14, 11) << QPointF(26, 11) << QPointF(26, 27)
             << QPointF(2, 27);
        for (QPointF& point : back) point *= s;
        p.setPen(QPen(QColor(160, 110, 20), 1.0 * s));
        p.setBrush(QColor(240, 190, 70));
        p.drawPolygon(back);
        cylinder(p, s, QRectF(15, 3, 15, 20), QColor(70, 120, 200));
        QPolygonF front;
        front << QPointF(2, 27) << QPointF(7, 15) << QPointF(30, 15) << QPointF(26, 27);
        for (QPointF& point : front) point *= s;
        p.setBrush(QColor(252, 214, 110));
        p.drawPolygon(front);
    });
}

QIcon stop() {
    return drawn([](QPainter& p, qreal s) {
        QPolygonF octagon;
        const qreal a = 9.5, b = 22.5;
        octagon << QPointF(a, 3) << QPointF(b, 3) << QPointF(29, a) << QPointF(29, b) << QPointF(b, 29)
                << QPointF(a, 29) << QPointF(3, b) << QPointF(3, a);
        for (QPointF& point : octagon) point *= s;
        QLinearGradient fill(0, 3 * s, 0, 29 * s);
        fill.setColorAt(0, QColor(240, 90, 80));
        fill.setColorAt(1, QColor(170, 20, 20));
        p.setPen(QPen(QColor(120, 10, 10), 1.0 * s));
        p.setBrush(fill);
        p.drawPolygon(octagon);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(8 * s, 13.5 * s, 16 * s, 5 * s));
    });
}

QIcon save() {
    return drawn([](QPainter& p, qreal s) {
        cylinder(p, s, QRectF(4, 2, 17, 22), QColor(70, 120, 200));
        QPolygonF disk;
        disk << QPointF(12, 12) << QPointF(27, 12) << QPointF(30, 15) << QPointF(30, 30) << QPointF(12, 30);
        for (QPointF& point : disk) point *= s;
        p.setPen(QPen(QColor(30, 60, 110), 1.0 * s));
        p.setBrush(QColor(60, 100, 170));
        p.drawPolygon(disk);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(15 * s, 13 * s, 10 * s, 6 * s));
        p.setBrush(QColor(200, 210, 230));
        p.drawRect(QRectF(15 * s, 23 * s, 12 * s, 7 * s));
    });
}

QIcon help() {
    return drawn([](QPainter& p, qreal s) { roundBadge(p, s, QColor(40, 110, 200), "?"); });
}

QIcon about() {
    return drawn([](QPainter& p, qreal s) { roundBadge(p, s, QColor(30, 140, 160), "i"); });
}

QIcon application() {
    return drawn([](QPainter& p, qreal s) {
        cylinder(p, s, QRectF(2, 4, 20, 25), QColor(70, 120, 200));
        QRectF page(16 * s, 9 * s, 13 * s, 18 * s);
        p.setPen(QPen(QColor(90, 90, 90), 1.0 * s));
        p.setBrush(Qt::white);
        p.drawRect(page);
        p.setPen(QPen(QColor(60, 120, 60), 1.4 * s));
        for (int line = 0; line < 4; ++line) {
            qreal y = (13 + 4 * line) * s;
            p.drawLine(QPointF(18.5 * s, y), QPointF(26.5 * s, y));
        }
    });
}

QIcon treeNode() {
    return drawn([](QPainter& p, qreal s) { cylinder(p, s, QRectF(5, 3, 22, 26), QColor(200, 150, 50)); });
}

QPixmap caption() { return about().pixmap(16, 16); }

QIcon previousRecords() { return arrow(true); }
QIcon nextRecords() { return arrow(false); }

QPixmap aboutHeader(int width, int height, const QString& title) {
    QPixmap pixmap(width, height);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, width, height);
    fill.setColorAt(0, QColor(20, 60, 120));
    fill.setColorAt(1, QColor(70, 140, 210));
    p.fillRect(pixmap.rect(), fill);
    QPixmap logo = application().pixmap(48, 48);
    p.drawPixmap(16, (height - 48) / 2, logo);
    QFont font("Arial");
    font.setPixelSize(height / 3);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(76, 0, width - 86, height), Qt::AlignVCenter | Qt::AlignLeft, title);
    return pixmap;
}

}  // namespace pw::ui::icons
