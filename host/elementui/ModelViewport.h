#pragma once

#include "MeshRenderer.h"
#include "TriangleMesh.h"
#include "vela_elementui_export.h"

#include <QImage>
#include <QPoint>
#include <QWidget>

#include <memory>

namespace vela {

// Shows one mesh, turned by dragging and zoomed by the wheel; or a message in its place.
class VELA_ELEMENTUI_EXPORT ModelViewport : public QWidget
{
    Q_OBJECT

public:
    explicit ModelViewport(QWidget* parent);

    // Shows `mesh` from the default view; clears any message.
    void SetMesh(std::shared_ptr<const TriangleMesh> mesh);
    std::shared_ptr<const TriangleMesh> Mesh() const { return m_mesh; }

    // Shows `message` (and a smaller `detail` below it) instead of the model.
    void SetMessage(const QString& message, const QString& detail = QString());
    QString Message() const { return m_message; }
    QString Detail() const { return m_detail; }

    MeshRenderer::View View() const { return m_view; }
    void SetView(const MeshRenderer::View& view);
    void ResetView();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void ViewChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void Invalidate();
    void DrawAxes(QPainter& painter) const;

    std::shared_ptr<const TriangleMesh> m_mesh;
    QString m_message;
    QString m_detail;
    MeshRenderer::View m_view;
    QImage m_picture;
    bool m_pictureValid = false;
    bool m_dragging = false;
    QPoint m_lastDragPoint;
};

} // namespace vela
