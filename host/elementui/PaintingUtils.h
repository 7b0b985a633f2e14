#pragma once

#include "vela_elementui_export.h"

#include <QColor>
#include <QMargins>
#include <QRect>
#include <QString>

class QFont;
class QPainter;

namespace vela {

// Small drawing helpers shared by the widgets that paint themselves.
class VELA_ELEMENTUI_EXPORT PaintingUtils
{
public:
    // Fills `rect` with `fill` inside a frame of `frame` colour. `widths` are the
    // frame's side widths; `radii` are the corner radii, read as left = top-left,
    // top = top-right, right = bottom-right, bottom = bottom-left.
    static void DrawBorder(QPainter* painter, const QRect& rect, const QMargins& widths, const QMargins& radii,
        const QColor& frame, const QColor& fill);

    // The part of `rect` that `text` covers when drawn there with `font` and `alignment`.
    static QRect GetTextRect(const QRect& rect, const QString& text, const QFont& font, int alignment);
};

} // namespace vela
