#include "CheckBoxFigure.h"

#include "PaintingUtils.h"

#include <QColor>
#include <QMargins>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QRect>

namespace vela {

namespace {

const QColor FrameGrey(189, 199, 213);
const QColor CheckedBlue(82, 145, 221);
const QMargins FrameWidths(1, 1, 1, 1);
const QMargins CornerRadii(2, 2, 2, 2);

// Loaded once, then shared through the pixmap cache instead of a static that would outlive the application.
QPixmap Tick()
{
    static const QString path = QStringLiteral(":/images/tick/white/12x12.png");
    QPixmap tick;
    if (!QPixmapCache::find(path, &tick) && tick.load(path)) {
        QPixmapCache::insert(path, tick);
    }
    return tick;
}

} // namespace

void CheckBoxFigure::Paint(QPainter* painter, const QRect& box, Qt::CheckState state)
{
    if (!painter) {
        return;
    }
    const QRect inner = box.adjusted(2, 2, -2, -2);
    switch (state) {
    case Qt::Unchecked:
        PaintingUtils::DrawBorder(painter, box, FrameWidths, CornerRadii, FrameGrey, Qt::transparent);
        break;
    case Qt::Checked:
        PaintingUtils::DrawBorder(painter, box, FrameWidths, CornerRadii, CheckedBlue, CheckedBlue);
        painter->save();
        painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter->drawPixmap(inner, Tick());
        painter->restore();
        break;
    case Qt::PartiallyChecked:
        PaintingUtils::DrawBorder(painter, box, FrameWidths, CornerRadii, CheckedBlue, Qt::transparent);
        painter->fillRect(inner, CheckedBlue);
        break;
    }
}

} // namespace vela
