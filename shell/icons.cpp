#include "shell/icons.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <functional>

namespace icons {
namespace {

// Every picture is designed on a 32 x 32 grid and scaled to the size asked for.
constexpr qreal kGrid = 32.0;
constexpr int kIconSizes[] = {16, 20, 22, 24, 32, 40, 48, 64, 96, 128, 256};

using Drawing = std::function<void(QPainter&)>;

QImage render(const Drawing& draw, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(size / kGrid, size / kGrid);
    draw(painter);
    return image;
}

QIcon iconOf(const Drawing& draw) {
    QIcon icon;
    for (int size : kIconSizes) icon.addPixmap(QPixmap::fromImage(render(draw, size)));
    return icon;
}

QPen outline(const char* color, qreal width = 1.0) {
    QPen pen{QColor(color)};
    pen.setWidthF(width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

// The hand-held radio, 18 x 30 units with its antenna, top left at (7, 1).
void drawRadio(QPainter& p) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#263238"));
    p.drawRoundedRect(QRectF(9, 1, 2.6, 10), 1.2, 1.2);      // antenna
    p.drawRoundedRect(QRectF(19, 4.5, 3.5, 4.5), 0.8, 0.8);  // channel knob
    QLinearGradient body(7, 8, 25, 31);
    body.setColorAt(0, QColor("#546e7a"));
    body.setColorAt(1, QColor("#1c262b"));
    p.setBrush(body);
    p.setPen(outline("#11181c", 0.8));
    p.drawRoundedRect(QRectF(7, 8, 18, 23), 3, 3);
    p.setPen(outline("#33691e", 0.6));
    p.setBrush(QColor("#aed581"));
    p.drawRoundedRect(QRectF(10, 11, 12, 5.5), 1, 1);  // display
    p.setPen(outline("#b0bec5", 1.2));
    for (qreal y : {20.0, 22.5, 25.0, 27.5}) p.drawLine(QPointF(11.5, y), QPointF(20.5, y));
    p.restore();
}

// A thick arrow from one point to another.
void drawArrow(QPainter& p, QPointF from, QPointF to, const char* fill, const char* line) {
    const qreal dx = to.x() - from.x();
    const qreal direction = dx < 0 ? -1.0 : 1.0;
    const qreal head = 7.0 * direction;
    const qreal y = from.y();
    const QPolygonF arrow{QPointF(from.x(), y - 2.5),      QPointF(to.x() - head, y - 2.5),
                          QPointF(to.x() - head, y - 6.5), QPointF(to.x(), y),
                          QPointF(to.x() - head, y + 6.5), QPointF(to.x() - head, y + 2.5),
                          QPointF(from.x(), y + 2.5)};
    p.setPen(outline(line, 0.9));
    p.setBrush(QColor(fill));
    p.drawPolygon(arrow);
}

void drawNew(QPainter& p) {
    const QPolygonF page{QPointF(7, 3), QPointF(20, 3), QPointF(26, 9), QPointF(26, 29),
                         QPointF(7, 29)};
    p.setPen(outline("#455a64"));
    p.setBrush(Qt::white);
    p.drawPolygon(page);
    p.setBrush(QColor("#cfd8dc"));
    p.drawPolygon(QPolygonF{QPointF(20, 3), QPointF(20, 9), QPointF(26, 9)});
    p.setPen(outline("#fbc02d", 1.6));
    const QPointF star(12, 10);
    for (int i = 0; i < 4; ++i) {
        const qreal d = i < 2 ? 3.5 : 2.5;
        const QPointF step = i == 0   ? QPointF(d, 0)
                             : i == 1 ? QPointF(0, d)
                             : i == 2 ? QPointF(d, d)
                                      : QPointF(d, -d);
        p.drawLine(star - step, star + step);
    }
}

void drawOpen(QPainter& p) {
    p.setPen(outline("#8d6e00"));
    p.setBrush(QColor("#f9a825"));
    p.drawPolygon(QPolygonF{QPointF(3, 7), QPointF(12, 7), QPointF(14.5, 10), QPointF(27, 10),
                            QPointF(27, 27), QPointF(3, 27)});
    p.setBrush(QColor("#ffe082"));
    p.drawPolygon(QPolygonF{QPointF(3, 27), QPointF(7.5, 15), QPointF(31, 15), QPointF(27, 27)});
}

void drawSave(QPainter& p) {
    p.setPen(outline("#0d47a1"));
    p.setBrush(QColor("#1e88e5"));
    p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#cfd8dc"));
    p.drawRect(QRectF(10, 4.5, 12, 8));
    p.setBrush(QColor("#1e88e5"));
    p.drawRect(QRectF(17.5, 6, 2.5, 5));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(8, 16.5, 16, 11), 1, 1);
    p.setPen(outline("#90caf9", 1.2));
    p.drawLine(QPointF(10.5, 20), QPointF(21.5, 20));
    p.drawLine(QPointF(10.5, 23.5), QPointF(21.5, 23.5));
}

// The radio on the right with an arrow on the left: out of the radio for a read, into it
// for a write.
void drawTransfer(QPainter& p, bool read) {
    p.save();
    p.translate(11, 1.5);
    p.scale(0.72, 0.92);
    p.translate(-5, 0);
    drawRadio(p);
    p.restore();
    if (read)
        drawArrow(p, QPointF(14.5, 19), QPointF(1, 19), "#43a047", "#1b5e20");
    else
        drawArrow(p, QPointF(1, 19), QPointF(15.5, 19), "#e53935", "#8e0000");
}

void drawSetCom(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#37474f"));
    p.drawRoundedRect(QRectF(13.5, 22, 5, 9), 1.5, 1.5);  // cable
    p.setPen(outline("#37474f"));
    p.setBrush(QColor("#b0bec5"));
    p.drawPolygon(QPolygonF{QPointF(2.5, 8), QPointF(29.5, 8), QPointF(26, 23), QPointF(6, 23)});
    p.setBrush(QColor("#eceff1"));
    p.drawPolygon(
        QPolygonF{QPointF(5.5, 10.5), QPointF(26.5, 10.5), QPointF(24, 20.5), QPointF(8, 20.5)});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#263238"));
    for (int i = 0; i < 5; ++i) p.drawEllipse(QPointF(8.8 + 3.6 * i, 13.8), 1.2, 1.2);
    for (int i = 0; i < 4; ++i) p.drawEllipse(QPointF(10.6 + 3.6 * i, 17.4), 1.2, 1.2);
}

void drawHelp(QPainter& p) {
    p.setPen(outline("#0d47a1"));
    p.setBrush(QColor("#1e88e5"));
    p.drawEllipse(QPointF(16, 16), 13.5, 13.5);
    QFont font;
    font.setBold(true);
    font.setPixelSize(21);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(2, 2, 28, 28), Qt::AlignCenter, QStringLiteral("?"));
}

}  // namespace

QIcon toolIcon(const QString& imageKey) {
    if (imageKey == QLatin1String(kNew)) return iconOf(drawNew);
    if (imageKey == QLatin1String(kOpen)) return iconOf(drawOpen);
    if (imageKey == QLatin1String(kSave)) return iconOf(drawSave);
    if (imageKey == QLatin1String(kRead)) return iconOf([](QPainter& p) { drawTransfer(p, true); });
    if (imageKey == QLatin1String(kSetCom)) return iconOf(drawSetCom);
    if (imageKey == QLatin1String(kWrite))
        return iconOf([](QPainter& p) { drawTransfer(p, false); });
    if (imageKey == QLatin1String(kHelp)) return iconOf(drawHelp);
    return QIcon();
}

QIcon appIcon() { return iconOf(drawRadio); }

QImage renderAppIcon(int size) { return render(drawRadio, size); }

void paintSplash(QPainter& p, const QRectF& rect) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient sky(rect.topLeft(), rect.bottomRight());
    sky.setColorAt(0, QColor("#0d3b66"));
    sky.setColorAt(1, QColor("#1f7a8c"));
    p.fillRect(rect, sky);

    // The radio (30 units tall with its antenna) on the left, three-quarters of the height.
    const qreal unit = rect.height() * 0.75 / 30.0;
    const QPointF origin(rect.left() + rect.width() * 0.08 - 7 * unit,
                         rect.top() + (rect.height() - 30 * unit) / 2 - unit);
    const QPointF antennaTip = origin + QPointF(10.3 * unit, 1 * unit);
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 3; ++i) {
        QPen wave(QColor(255, 255, 255, 170 - 40 * i));
        wave.setWidthF(unit * 0.45);
        wave.setCapStyle(Qt::RoundCap);
        p.setPen(wave);
        const qreal r = unit * 1.5 * i;
        p.drawArc(QRectF(antennaTip.x() - r, antennaTip.y() - r, 2 * r, 2 * r), 10 * 16, 70 * 16);
    }
    p.save();
    p.translate(origin);
    p.scale(unit, unit);
    drawRadio(p);
    p.restore();

    const QRectF text(rect.left() + rect.width() * 0.45, rect.top(), rect.width() * 0.52,
                      rect.height());
    QFont title;
    title.setBold(true);
    title.setPixelSize(qRound(rect.height() * 0.15));
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(text.adjusted(0, 0, 0, -rect.height() * 0.16), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("KORVA-77"));
    QFont version;
    version.setPixelSize(qRound(rect.height() * 0.07));
    p.setFont(version);
    p.setPen(QColor("#cfe8ef"));
    p.drawText(text.adjusted(0, rect.height() * 0.18, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("v1.0.2"));
    p.restore();
}

}  // namespace icons
