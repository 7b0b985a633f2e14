#pragma once

#include "ComponentFile.h"

#include <QImage>

namespace vela {

// Draws a component model: shaded three-quarter views for thumbnails and
// black-line orthographic views with overall dimensions for legends.
class ModelRenderer
{
public:
    // Degrees: azimuth turns the camera from the front towards the right
    // side, elevation lifts it above the horizon.
    struct View
    {
        double Azimuth = 35;
        double Elevation = 25;
    };

    enum class Projection { Plan, Front, Side };

    static QImage Thumbnail(const tarn::ComponentFile& model, int size, const View& view);
    static QImage Legend(const tarn::ComponentFile& model, Projection projection, int width, int height);
};

} // namespace vela
