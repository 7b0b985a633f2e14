#pragma once

#include <Qt>

class QPainter;
class QRect;

namespace vela {

// The check box drawn by both list delegates and both check-all headers.
class CheckBoxFigure
{
public:
    static constexpr int Size = 12;

    // Draws the figure of `state` in `box`, a Size x Size rectangle.
    static void Paint(QPainter* painter, const QRect& box, Qt::CheckState state);
};

} // namespace vela
