#include "PaintingUtils.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace vela {

namespace {

struct CornerRadii
{
    qreal topLeft;
    qreal topRight;
    qreal bottomRight;
    qreal bottomLeft;
};

// A rectangle with its own radius at each corner; radii too large for the
// rectangle are cut down so neighbouring arcs never overlap.
QPainterPath RoundedPath(const QRectF& rect, CornerRadii radii)
{
    QPainterPath path;
    if (rect.isEmpty()) {
        return path;
    }
    const qreal limit = std::min(rect.width(), rect.height()) / 2.0;
    const auto clamp = [limit](qreal r) { return std::clamp(r, 0.0, limit); };
    const qreal tl = clamp(radii.topLeft);
    const qreal tr = clamp(radii.topRight);
    const qreal br = clamp(radii.bottomRight);
    const qreal bl = clamp(radii.bottomLeft);

    path.moveTo(rect.left() + tl, rect.top());
    path.lineTo(rect.right() - tr, rect.top());
    if (tr > 0) {
        path.arcTo(rect.right() - 2 * tr, rect.top(), 2 * tr, 2 * tr, 90, -90);
    }
    path.lineTo(rect.right(), rect.bottom() - br);
    if (br > 0) {
        path.arcTo(rect.right() - 2 * br, rect.bottom() - 2 * br, 2 * br, 2 * br, 0, -90);
    }
    path.lineTo(rect.left() + bl, rect.bottom());
    if (bl > 0) {
        path.arcTo(rect.left(), rect.bottom() - 2 * bl, 2 * bl, 2 * bl, 270, -90);
    }
    path.lineTo(rect.left(), rect.top() + tl);
    if (tl > 0) {
        path.arcTo(rect.left(), rect.top(), 2 * tl, 2 * tl, 180, -90);
    }
    path.closeSubpath();
    return path;
}

} // namespace

void PaintingUtils::DrawBorder(QPainter* painter, const QRect& rect, const QMargins& widths, const QMargins& radii,
    const QColor& frame, const QColor& fill)
{
    if (!painter || rect.isEmpty()) {
        return;
    }
    // QRectF of a QRect covers exactly its pixels, so a 12 x 12 box stays 12 x 12.
    const QRectF outer(rect);
    const CornerRadii outerRadii{qreal(radii.left()), qreal(radii.top()), qreal(radii.right()), qreal(radii.bottom())};
    const QRectF inner = outer.adjusted(widths.left(), widths.top(), -widths.right(), -widths.bottom());
    const CornerRadii innerRadii{
        outerRadii.topLeft - std::max(widths.left(), widths.top()),
        outerRadii.topRight - std::max(widths.right(), widths.top()),
        outerRadii.bottomRight - std::max(widths.right(), widths.bottom()),
        outerRadii.bottomLeft - std::max(widths.left(), widths.bottom()),
    };
    const QPainterPath outerPath = RoundedPath(outer, outerRadii);
    const QPainterPath innerPath = RoundedPath(inner, innerRadii);

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setPen(Qt::NoPen);

    // Fill
    if (fill.isValid() && fill.alpha() > 0) {
        painter->fillPath(inner.isEmpty() ? outerPath : innerPath, fill);
    }

    // Frame: the ring between the outer and the inner outline
    if (frame.isValid() && frame.alpha() > 0 && widths != QMargins()) {
        QPainterPath ring = outerPath;
        ring.setFillRule(Qt::OddEvenFill);
        if (!inner.isEmpty()) {
            ring.addPath(innerPath);
        }
        painter->fillPath(ring, frame);
    }
    painter->restore();
}

QRect PaintingUtils::GetTextRect(const QRect& rect, const QString& text, const QFont& font, int alignment)
{
    if (text.isEmpty()) {
        return QRect(rect.topLeft(), QSize(0, 0));
    }
    const QFontMetrics metrics(font);
    // Drawing clips to the rectangle, so the text never covers more than it.
    return metrics.boundingRect(rect, alignment, text).intersected(rect);
}

} // namespace vela
