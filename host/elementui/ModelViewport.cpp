#include "ModelViewport.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace vela {

namespace {

constexpr float DegreesPerPixel = 0.5f;
constexpr float MinimumZoom = 0.1f;
constexpr float MaximumZoom = 20.0f;
// One wheel notch (120 units) zooms by about 20 %.
constexpr double ZoomPerWheelUnit = 1.0015;
constexpr int AxesLength = 22;
constexpr int AxesMargin = 34;
constexpr QColor MessageColour{102, 102, 102};
constexpr QColor DetailColour{160, 162, 171};
constexpr QColor HintColour{160, 162, 171};

QFont YaHei(int pixelSize)
{
    QFont font(QStringLiteral("Microsoft YaHei"));
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace

ModelViewport::ModelViewport(QWidget* parent)
    : QWidget(parent)
{
    setMouseTracking(false);
    setFocusPolicy(Qt::ClickFocus);
    setCursor(Qt::OpenHandCursor);
}

QSize ModelViewport::sizeHint() const
{
    return QSize(640, 520);
}

QSize ModelViewport::minimumSizeHint() const
{
    return QSize(160, 120);
}

void ModelViewport::SetMesh(std::shared_ptr<const TriangleMesh> mesh)
{
    m_mesh = std::move(mesh);
    m_message.clear();
    m_detail.clear();
    m_view = MeshRenderer::View();
    Invalidate();
}

void ModelViewport::SetMessage(const QString& message, const QString& detail)
{
    m_mesh.reset();
    m_message = message;
    m_detail = detail;
    Invalidate();
}

void ModelViewport::SetView(const MeshRenderer::View& view)
{
    m_view = view;
    m_view.Elevation = std::clamp(m_view.Elevation, -89.0f, 89.0f);
    m_view.Yaw = std::fmod(m_view.Yaw, 360.0f);
    m_view.Zoom = std::clamp(m_view.Zoom, MinimumZoom, MaximumZoom);
    Invalidate();
    emit ViewChanged();
}

void ModelViewport::ResetView()
{
    SetView(MeshRenderer::View());
}

void ModelViewport::Invalidate()
{
    m_pictureValid = false;
    update();
}

void ModelViewport::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = rect();

    // Message in place of the model
    if (!m_mesh || m_mesh->IsEmpty()) {
        painter.save();
        QLinearGradient gradient(0, 0, 0, area.height());
        gradient.setColorAt(0, MeshRenderer::BackgroundTop());
        gradient.setColorAt(1, MeshRenderer::BackgroundBottom());
        painter.fillRect(area, gradient);
        const QRect messageRect = area.adjusted(24, 0, -24, -area.height() / 2 + 4);
        const QRect detailRect = area.adjusted(24, area.height() / 2 + 8, -24, -24);
        painter.setFont(YaHei(14));
        painter.setPen(MessageColour);
        painter.drawText(messageRect, Qt::AlignHCenter | Qt::AlignBottom | Qt::TextWordWrap, m_message);
        painter.setFont(YaHei(12));
        painter.setPen(DetailColour);
        painter.drawText(detailRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, m_detail);
        painter.restore();
        return;
    }

    // Model, drawn afresh only when the view or the size changed
    if (!m_pictureValid) {
        const qreal ratio = devicePixelRatioF();
        // A quick single sample while dragging keeps the turn smooth.
        m_picture = MeshRenderer::Render(*m_mesh, area.size() * ratio, m_view, m_dragging ? 1 : 2);
        m_picture.setDevicePixelRatio(ratio);
        m_pictureValid = true;
    }
    painter.drawImage(area.topLeft(), m_picture);

    // Axes
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    DrawAxes(painter);
    painter.restore();

    // Hint
    painter.save();
    const QRect hintRect = area.adjusted(0, 0, -12, -8);
    painter.setFont(YaHei(12));
    painter.setPen(HintColour);
    painter.drawText(hintRect, Qt::AlignRight | Qt::AlignBottom, tr("拖动旋转，滚轮缩放，双击复位"));
    painter.restore();
}

void ModelViewport::DrawAxes(QPainter& painter) const
{
    const QMatrix4x4 rotation = MeshRenderer::Rotation(m_view);
    const QPointF origin(AxesMargin, height() - AxesMargin);
    const struct
    {
        QVector3D Direction;
        QColor Colour;
        QString Name;
    } axes[] = {{{1, 0, 0}, QColor(214, 69, 65), QStringLiteral("X")},
                {{0, 1, 0}, QColor(76, 160, 80), QStringLiteral("Y")},
                {{0, 0, 1}, QColor(82, 145, 221), QStringLiteral("Z")}};
    painter.setFont(YaHei(12));
    for (const auto& axis : axes) {
        const QVector3D d = rotation.mapVector(axis.Direction);
        const QPointF tip = origin + QPointF(d.x(), -d.y()) * AxesLength;
        painter.setPen(QPen(axis.Colour, 2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(origin, tip);
        painter.drawText(QRectF(tip.x() - 8, tip.y() - 8, 16, 16), Qt::AlignCenter, axis.Name);
    }
}

void ModelViewport::resizeEvent(QResizeEvent* event)
{
    m_pictureValid = false;
    QWidget::resizeEvent(event);
}

void ModelViewport::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_lastDragPoint = event->pos();
        setCursor(Qt::ClosedHandCursor);
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void ModelViewport::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging || !(event->buttons() & Qt::LeftButton)) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QPoint delta = event->pos() - m_lastDragPoint;
    m_lastDragPoint = event->pos();
    MeshRenderer::View view = m_view;
    view.Yaw += delta.x() * DegreesPerPixel;
    view.Elevation += delta.y() * DegreesPerPixel;
    SetView(view);
    event->accept();
}

void ModelViewport::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_dragging) {
        m_dragging = false;
        setCursor(Qt::OpenHandCursor);
        // Back to the finer picture once the model rests.
        Invalidate();
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void ModelViewport::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        ResetView();
        event->accept();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

void ModelViewport::wheelEvent(QWheelEvent* event)
{
    const int units = event->angleDelta().y();
    if (units == 0) {
        QWidget::wheelEvent(event);
        return;
    }
    MeshRenderer::View view = m_view;
    view.Zoom = static_cast<float>(view.Zoom * std::pow(ZoomPerWheelUnit, units));
    SetView(view);
    event->accept();
}

} // namespace vela
