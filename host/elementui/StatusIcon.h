#pragma once

#include <QPixmap>
#include <QRectF>

class QPainter;

namespace vela {

// The status figures of bulletins and message dialogs, drawn at any size.
class StatusIcon
{
public:
    enum Shape
    {
        None,
        Information,
        Question,
        Warning,
        Failure,
        Success,
        Working,
    };

    // `spinAngle` turns the arc of the working figure, in degrees.
    explicit StatusIcon(Shape shape, int spinAngle = 0);

    void Paint(QPainter* painter, const QRectF& box) const;
    // A square pixmap at the screen's pixel ratio, transparent around the figure.
    QPixmap ToPixmap(int size) const;

private:
    Shape m_shape;
    int m_spinAngle;
};

} // namespace vela
