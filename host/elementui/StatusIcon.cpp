#include "StatusIcon.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace vela {

namespace {

constexpr QColor Accent{82, 145, 221};
constexpr QColor FaintAccent{82, 145, 221, 50};
constexpr QColor WarningColour{245, 166, 35};
constexpr QColor FailureColour{230, 76, 76};
constexpr QColor SuccessColour{82, 186, 108};

// Stroke widths as fractions of the icon's side.
constexpr qreal MarkWidth = 0.1;
constexpr qreal RingWidth = 0.125;
constexpr qreal RingInset = 1.0 / 12;

} // namespace

StatusIcon::StatusIcon(Shape shape, int spinAngle)
    : m_shape(shape)
    , m_spinAngle(spinAngle)
{
}

void StatusIcon::Paint(QPainter* painter, const QRectF& box) const
{
    if (m_shape == None || box.isEmpty()) {
        return;
    }
    // Figures keep a one-pixel margin so antialiased edges are not cut; marks are
    // placed in unit coordinates of that inner square.
    const QRectF disc = box.adjusted(1, 1, -1, -1);
    const auto at = [&disc](qreal x, qreal y) {
        return QPointF(disc.left() + x * disc.width(), disc.top() + y * disc.height());
    };
    const qreal side = std::min(box.width(), box.height());
    const QPen mark(Qt::white, std::round(side * MarkWidth), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    const auto fillDisc = [painter, &disc](const QColor& colour) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(colour);
        painter->drawEllipse(disc);
    };

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    switch (m_shape) {
    case Information:
        // Letter i on a blue disc
        fillDisc(Accent);
        painter->setPen(mark);
        painter->drawPoint(at(0.5, 0.28));
        painter->drawLine(at(0.5, 0.46), at(0.5, 0.75));
        break;
    case Question: {
        // Question mark on a blue disc
        fillDisc(Accent);
        painter->setPen(mark);
        painter->setBrush(Qt::NoBrush);
        QPainterPath hook;
        hook.moveTo(at(0.35, 0.383));
        hook.cubicTo(at(0.35, 0.183), at(0.65, 0.183), at(0.65, 0.367));
        hook.cubicTo(at(0.65, 0.483), at(0.5, 0.5), at(0.5, 0.617));
        painter->drawPath(hook);
        painter->drawPoint(at(0.5, 0.767));
        break;
    }
    case Warning: {
        // Exclamation mark on an orange triangle
        QPainterPath triangle;
        triangle.moveTo(at(0.5, 0.03));
        triangle.lineTo(at(1.0, 0.94));
        triangle.lineTo(at(0.0, 0.94));
        triangle.closeSubpath();
        painter->fillPath(triangle, WarningColour);
        painter->setPen(mark);
        painter->drawLine(at(0.5, 0.333), at(0.5, 0.59));
        painter->drawPoint(at(0.5, 0.78));
        break;
    }
    case Failure:
        // Cross on a red disc
        fillDisc(FailureColour);
        painter->setPen(mark);
        painter->drawLine(at(0.32, 0.32), at(0.68, 0.68));
        painter->drawLine(at(0.68, 0.32), at(0.32, 0.68));
        break;
    case Success:
        // Tick on a green disc
        fillDisc(SuccessColour);
        painter->setPen(mark);
        painter->drawPolyline(QVector<QPointF>{at(0.25, 0.528), at(0.417, 0.694), at(0.75, 0.333)});
        break;
    case Working: {
        // Turning arc over a faint ring
        const qreal inset = RingInset * disc.width();
        const QRectF ring = disc.adjusted(inset, inset, -inset, -inset);
        painter->setBrush(Qt::NoBrush);
        painter->setPen(QPen(FaintAccent, side * RingWidth));
        painter->drawEllipse(ring);
        painter->setPen(QPen(Accent, side * RingWidth, Qt::SolidLine, Qt::RoundCap));
        painter->drawArc(ring, -m_spinAngle * 16, 100 * 16);
        break;
    }
    case None:
        break;
    }
    painter->restore();
}

QPixmap StatusIcon::ToPixmap(int size) const
{
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    Paint(&painter, QRectF(0, 0, size, size));
    return pixmap;
}

} // namespace vela
