#include "MeshRenderer.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace vela {

namespace {

constexpr float FitMargin = 0.88f;
constexpr float Ambient = 0.30f;
constexpr float Diffuse = 0.55f;
constexpr float Headlight = 0.20f;

// A corner after projection: screen position, depth (larger is nearer) and light.
struct Projected
{
    float X;
    float Y;
    float Depth;
    float Light;
};

struct Target
{
    QImage& Image;
    std::vector<float>& Depths;
};

float LightAt(const QVector3D& normal)
{
    // Up and to the left of the eye, slightly in front of the model.
    static const QVector3D s_light = QVector3D(-0.45f, 0.65f, 0.62f).normalized();
    const float diffuse = std::max(0.0f, QVector3D::dotProduct(normal, s_light));
    const float headlight = std::max(0.0f, normal.z());
    return std::min(1.0f, Ambient + Diffuse * diffuse + Headlight * headlight);
}

float Edge(float ax, float ay, float bx, float by, float px, float py)
{
    return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
}

// Fills one projected triangle; `opacity` below 1 blends and leaves depths alone.
void Rasterize(Target& target, const Projected (&p)[3], QRgb color, float opacity)
{
    const int width = target.Image.width();
    const int height = target.Image.height();
    const float area = Edge(p[0].X, p[0].Y, p[1].X, p[1].Y, p[2].X, p[2].Y);
    if (!(std::abs(area) > 1e-6f)) {
        return;
    }
    const float minX = std::min({p[0].X, p[1].X, p[2].X});
    const float maxX = std::max({p[0].X, p[1].X, p[2].X});
    const float minY = std::min({p[0].Y, p[1].Y, p[2].Y});
    const float maxY = std::max({p[0].Y, p[1].Y, p[2].Y});
    const int x0 = std::max(0, static_cast<int>(std::floor(minX)));
    const int x1 = std::min(width - 1, static_cast<int>(std::ceil(maxX)));
    const int y0 = std::max(0, static_cast<int>(std::floor(minY)));
    const int y1 = std::min(height - 1, static_cast<int>(std::ceil(maxY)));
    if (x0 > x1 || y0 > y1) {
        return;
    }
    const bool opaque = opacity >= 1.0f;
    const int red = qRed(color);
    const int green = qGreen(color);
    const int blue = qBlue(color);
    for (int y = y0; y <= y1; ++y) {
        auto* line = reinterpret_cast<QRgb*>(target.Image.scanLine(y));
        float* depths = target.Depths.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
        const float py = y + 0.5f;
        for (int x = x0; x <= x1; ++x) {
            const float px = x + 0.5f;
            const float w0 = Edge(p[1].X, p[1].Y, p[2].X, p[2].Y, px, py) / area;
            const float w1 = Edge(p[2].X, p[2].Y, p[0].X, p[0].Y, px, py) / area;
            const float w2 = 1.0f - w0 - w1;
            if (w0 < 0 || w1 < 0 || w2 < 0) {
                continue;
            }
            const float depth = w0 * p[0].Depth + w1 * p[1].Depth + w2 * p[2].Depth;
            if (depth <= depths[x]) {
                continue;
            }
            const float light = w0 * p[0].Light + w1 * p[1].Light + w2 * p[2].Light;
            const int r = std::min(255, static_cast<int>(red * light));
            const int g = std::min(255, static_cast<int>(green * light));
            const int b = std::min(255, static_cast<int>(blue * light));
            if (opaque) {
                line[x] = qRgb(r, g, b);
                depths[x] = depth;
            } else {
                const QRgb under = line[x];
                const float keep = 1.0f - opacity;
                line[x] = qRgb(static_cast<int>(r * opacity + qRed(under) * keep),
                               static_cast<int>(g * opacity + qGreen(under) * keep),
                               static_cast<int>(b * opacity + qBlue(under) * keep));
            }
        }
    }
}

} // namespace

QMatrix4x4 MeshRenderer::Rotation(const View& view)
{
    // Tip the model's z axis up the screen, then raise the eye and turn the model.
    QMatrix4x4 rotation;
    rotation.rotate(view.Elevation - 90.0f, 1, 0, 0);
    rotation.rotate(view.Yaw, 0, 0, 1);
    return rotation;
}

float MeshRenderer::FitScale(const TriangleMesh& mesh, const QSize& size)
{
    const float radius = (mesh.Maximum() - mesh.Minimum()).length() / 2;
    const int side = std::min(size.width(), size.height());
    if (side <= 0) {
        return 0;
    }
    // A flat or point-like model still gets a finite scale.
    return FitMargin * side / (2 * std::max(radius, 1e-3f));
}

QColor MeshRenderer::BackgroundTop()
{
    return QColor(255, 255, 255);
}

QColor MeshRenderer::BackgroundBottom()
{
    return QColor(230, 235, 242);
}

QImage MeshRenderer::Render(const TriangleMesh& mesh, const QSize& size, const View& view, int supersampling)
{
    if (size.isEmpty()) {
        return QImage();
    }
    supersampling = std::clamp(supersampling, 1, 4);
    const QSize large = size * supersampling;
    QImage image(large, QImage::Format_RGB32);

    // Background
    {
        QPainter painter(&image);
        QLinearGradient gradient(0, 0, 0, large.height());
        gradient.setColorAt(0, BackgroundTop());
        gradient.setColorAt(1, BackgroundBottom());
        painter.fillRect(image.rect(), gradient);
    }
    if (mesh.IsEmpty()) {
        return supersampling == 1 ? image : image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }

    const QMatrix4x4 rotation = Rotation(view);
    const QVector3D centre = (mesh.Minimum() + mesh.Maximum()) / 2;
    const float scale = FitScale(mesh, large) * std::max(view.Zoom, 1e-3f);
    const float halfWidth = large.width() / 2.0f;
    const float halfHeight = large.height() / 2.0f;

    std::vector<float> depths(static_cast<size_t>(large.width()) * static_cast<size_t>(large.height()),
                              -std::numeric_limits<float>::infinity());
    Target target{image, depths};

    const auto project = [&](const TriangleMesh::Triangle& triangle, Projected (&out)[3]) {
        QVector3D normals[3];
        QVector3D sum;
        for (int i = 0; i < 3; ++i) {
            const QVector3D p = rotation.map(triangle.Corners[i].Position - centre);
            out[i] = {halfWidth + p.x() * scale, halfHeight - p.y() * scale, p.z(), 0};
            normals[i] = rotation.mapVector(triangle.Corners[i].Normal);
            sum += normals[i];
        }
        // Light both sides of a face, so a profile drawn either way round looks right.
        const float side = sum.z() < 0 ? -1.0f : 1.0f;
        for (int i = 0; i < 3; ++i) {
            out[i].Light = LightAt(normals[i] * side);
        }
    };

    // Solid faces with the depth buffer, then see-through ones from far to near.
    std::vector<std::pair<float, int>> seeThrough;
    const QVector<TriangleMesh::Triangle>& triangles = mesh.Triangles();
    for (int i = 0; i < triangles.size(); ++i) {
        const TriangleMesh::Triangle& triangle = triangles[i];
        if (triangle.Opacity <= 0) {
            continue;
        }
        Projected projected[3];
        project(triangle, projected);
        if (triangle.Opacity < 1) {
            seeThrough.emplace_back((projected[0].Depth + projected[1].Depth + projected[2].Depth) / 3, i);
            continue;
        }
        Rasterize(target, projected, triangle.Color, 1);
    }
    std::sort(seeThrough.begin(), seeThrough.end());
    for (const auto& [depth, index] : seeThrough) {
        Q_UNUSED(depth)
        Projected projected[3];
        project(triangles[index], projected);
        Rasterize(target, projected, triangles[index].Color, triangles[index].Opacity);
    }

    return supersampling == 1 ? image : image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace vela
