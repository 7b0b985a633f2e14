#pragma once

#include "TriangleMesh.h"
#include "vela_elementui_export.h"

#include <QColor>
#include <QImage>
#include <QMatrix4x4>
#include <QSize>

namespace vela {

// Draws a triangle mesh shaded into an image: an orthographic view fitted to
// the image, a depth buffer for solid faces, see-through faces blended back to front.
class VELA_ELEMENTUI_EXPORT MeshRenderer
{
public:
    struct View
    {
        // Turn about the vertical (model z) axis, in degrees.
        float Yaw = -35;
        // Elevation of the eye above the horizon, in degrees (-89 to 89).
        float Elevation = 25;
        // 1 fits the model's bounding sphere to the image.
        float Zoom = 1;
    };

    // The rotation taking model coordinates (z up) to view coordinates
    // (x right, y up, z towards the eye).
    static QMatrix4x4 Rotation(const View& view);

    // `size` in device pixels; `supersampling` pixels per side are averaged into one.
    static QImage Render(const TriangleMesh& mesh, const QSize& size, const View& view, int supersampling = 2);

    // Pixels per model unit at zoom 1 for a mesh in an image of `size`.
    static float FitScale(const TriangleMesh& mesh, const QSize& size);

    static QColor BackgroundTop();
    static QColor BackgroundBottom();
};

} // namespace vela
