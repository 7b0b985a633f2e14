// Draws every picture of the module's resource file, so the images in the
// repository can be regenerated and changed in one place.
//
// Usage: plaza-imagegen <output folder> [--sheet <contact sheet .png>]

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <QtMath>

#include <functional>
#include <vector>

namespace {

// One palette and one stroke for every picture, so they look like one family.
const QColor kBlue(82, 145, 221);
const QColor kGrey(120, 122, 131);
const QColor kFrameGrey(189, 199, 213);
const QColor kPaper(245, 246, 248);
const QColor kFaint(212, 217, 224);
const QColor kOrange(250, 140, 22);
const QColor kWhite(255, 255, 255);

// Stroke width in pixels at the size a picture is shown.
constexpr qreal kStroke = 1.5;

struct Picture
{
    QString path;      // relative to the output folder, same as the resource alias
    int size;          // pixels of the written PNG
    int unit;          // the design grid: the picture is drawn in unit x unit coordinates
    std::function<void(QPainter&)> draw;
};

QPen StrokePen(const QColor& color, qreal width = kStroke)
{
    QPen pen(color, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

// The six outer corners and the centre of an isometric cube, starting at the top.
struct Cube
{
    QPointF top, upperRight, lowerRight, bottom, lowerLeft, upperLeft, centre;
};

Cube MakeCube(const QPointF& centre, qreal radius)
{
    const qreal dx = radius * qCos(qDegreesToRadians(30.0));
    const qreal dy = radius * 0.5;
    return Cube{centre + QPointF(0, -radius), centre + QPointF(dx, -dy), centre + QPointF(dx, dy),
                centre + QPointF(0, radius),  centre + QPointF(-dx, dy), centre + QPointF(-dx, -dy),
                centre};
}

QPolygonF CubeOutline(const Cube& c)
{
    return QPolygonF({c.top, c.upperRight, c.lowerRight, c.bottom, c.lowerLeft, c.upperLeft});
}

QPolygonF CubeTopFace(const Cube& c)
{
    return QPolygonF({c.top, c.upperRight, c.centre, c.upperLeft});
}

void DrawCubeEdges(QPainter& p, const Cube& c, const QPen& pen)
{
    p.save();
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(CubeOutline(c));
    p.drawLine(c.centre, c.upperLeft);
    p.drawLine(c.centre, c.upperRight);
    p.drawLine(c.centre, c.bottom);
    p.restore();
}

// A filled arrow head whose tip lies `length` ahead of `base` along `direction`.
QPolygonF ArrowHead(const QPointF& base, qreal directionDegrees, qreal length, qreal halfWidth)
{
    const qreal a = qDegreesToRadians(directionDegrees);
    const QPointF forward(qCos(a), -qSin(a));
    const QPointF side(-forward.y(), forward.x());
    return QPolygonF({base + forward * length, base + side * halfWidth, base - side * halfWidth});
}

// --- The pictures -----------------------------------------------------------

// Window mark: a white building block on a blue tile.
void DrawPlazaMark(QPainter& p)
{
    // Tile
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(1, 1, 22, 22), 5, 5);
    p.restore();

    // Block: three faces in three strengths of white read as light from above
    const Cube c = MakeCube(QPointF(12, 12), 7.5);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(kWhite);
    p.drawPolygon(CubeTopFace(c));
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawPolygon(QPolygonF({c.upperLeft, c.centre, c.bottom, c.lowerLeft}));
    p.setBrush(QColor(255, 255, 255, 140));
    p.drawPolygon(QPolygonF({c.centre, c.upperRight, c.lowerRight, c.bottom}));
    p.restore();
}

// Placeholder thumbnail: paper with a faint block outline, quiet enough to sit behind real pictures.
void DrawDefaultThumbnail(QPainter& p)
{
    // Paper
    p.fillRect(QRectF(0, 0, 256, 256), kPaper);

    // Faint block
    const Cube c = MakeCube(QPointF(128, 130), 60);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(kFaint.red(), kFaint.green(), kFaint.blue(), 90));
    p.drawPolygon(CubeTopFace(c));
    p.restore();
    DrawCubeEdges(p, c, StrokePen(kFaint, 4));
}

QPainterPath CloudPath(const QRectF& box)
{
    // Three puffs over a rounded base; the union keeps one clean outline.
    const qreal w = box.width();
    const qreal h = box.height();
    QPainterPath base;
    base.addRoundedRect(QRectF(box.left(), box.top() + h * 0.45, w, h * 0.55), h * 0.275, h * 0.275);
    QPainterPath cloud = base;
    auto puff = [&](qreal cx, qreal cy, qreal r) {
        QPainterPath circle;
        circle.addEllipse(QPointF(box.left() + w * cx, box.top() + h * cy), w * r, w * r);
        cloud = cloud.united(circle);
    };
    puff(0.30, 0.52, 0.17);
    puff(0.55, 0.36, 0.23);
    puff(0.78, 0.60, 0.14);
    return cloud.simplified();
}

// One half of a chain link: a rounded bar seen along `angle`, centred on `centre`.
void DrawLink(QPainter& p, const QPointF& centre, qreal angle, const QColor& color)
{
    p.save();
    p.translate(centre);
    p.rotate(angle);
    p.setPen(StrokePen(color, 12));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(-38, -17, 76, 34), 17, 17);
    p.restore();
}

// No network: a cloud over a chain broken in two; flat greys and the one blue.
void DrawOffline(QPainter& p)
{
    // Backdrop disc and ground shadow
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(235, 239, 245));
    p.drawEllipse(QPointF(200, 196), 168, 168);
    p.setBrush(QColor(218, 224, 232));
    p.drawEllipse(QPointF(200, 338), 112, 12);
    p.restore();

    // Cloud
    const QPainterPath cloud = CloudPath(QRectF(76, 64, 248, 150));
    p.save();
    p.setPen(StrokePen(kFrameGrey, 6));
    p.setBrush(kWhite);
    p.drawPath(cloud);
    p.restore();

    // Broken chain: two links pulled apart
    DrawLink(p, QPointF(146, 286), -35, kBlue);
    DrawLink(p, QPointF(254, 286), -35, kBlue);

    // Break sparks between the two halves
    p.save();
    p.setPen(StrokePen(kGrey, 6));
    const QPointF gap(200, 286);
    for (qreal angle : {60.0, 90.0, 120.0}) {
        const qreal a = qDegreesToRadians(angle);
        const QPointF dir(qCos(a), -qSin(a));
        p.drawLine(gap + dir * 22, gap + dir * 38);
        p.drawLine(gap - dir * 22, gap - dir * 38);
    }
    p.restore();
}

// Refresh: an open circle turning anticlockwise with its head at the gap.
void DrawRefresh(QPainter& p)
{
    const QPointF centre(8, 8);
    const qreal radius = 5.25;
    const qreal startAngle = 90.0;
    const qreal sweep = 270.0;
    const QRectF circle(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);

    // Arc
    QPainterPath arc;
    arc.arcMoveTo(circle, startAngle);
    arc.arcTo(circle, startAngle, sweep);
    p.save();
    p.setPen(StrokePen(kGrey));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    p.restore();

    // Head, pointing along the direction of travel at the arc's end
    const qreal endAngle = startAngle + sweep;
    const QPointF end(centre.x() + radius * qCos(qDegreesToRadians(endAngle)),
                      centre.y() - radius * qSin(qDegreesToRadians(endAngle)));
    p.save();
    p.setPen(StrokePen(kGrey, 0.8));
    p.setBrush(kGrey);
    p.drawPolygon(ArrowHead(end, endAngle + 90.0, 2.6, 2.2));
    p.restore();
}

void DrawCardMode(QPainter& p, const QColor& color)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    for (const QPointF& origin : {QPointF(2, 2), QPointF(9, 2), QPointF(2, 9), QPointF(9, 9)})
        p.drawRoundedRect(QRectF(origin, QSizeF(5, 5)), 1, 1);
    p.restore();
}

void DrawTableMode(QPainter& p, const QColor& color)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    for (qreal y : {3.0, 7.0, 11.0}) {
        p.drawRect(QRectF(2, y, 2, 2));
        p.drawRect(QRectF(6, y, 8, 2));
    }
    p.restore();
}

// Tick: designed on the 8 x 8 square the check box shows it in.
void DrawTick(QPainter& p)
{
    QPainterPath tick;
    tick.moveTo(1.4, 4.2);
    tick.lineTo(3.3, 6.0);
    tick.lineTo(6.7, 2.1);
    p.save();
    p.setPen(StrokePen(kWhite));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
    p.restore();
}

// 3D: a block outline with a tinted top face.
void Draw3d(QPainter& p)
{
    const Cube c = MakeCube(QPointF(12, 12), 9);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(kBlue.red(), kBlue.green(), kBlue.blue(), 56));
    p.drawPolygon(CubeTopFace(c));
    p.restore();
    DrawCubeEdges(p, c, StrokePen(kBlue));
}

void DrawCross(QPainter& p)
{
    p.save();
    p.setPen(StrokePen(kGrey, 1.25));
    p.drawLine(QPointF(4, 4), QPointF(12, 12));
    p.drawLine(QPointF(12, 4), QPointF(4, 12));
    p.restore();
}

void DrawHighWarning(QPainter& p)
{
    // Disc
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(kOrange);
    p.drawEllipse(QRectF(1, 1, 14, 14));
    p.restore();

    // Exclamation mark
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(kWhite);
    p.drawRoundedRect(QRectF(7.1, 3.6, 1.8, 6.4), 0.9, 0.9);
    p.drawEllipse(QPointF(8, 12), 1.05, 1.05);
    p.restore();
}

std::vector<Picture> AllPictures()
{
    return {
        {"plaza/24x24.png", 24, 24, DrawPlazaMark},
        {"default_thumbnail.png", 256, 256, DrawDefaultThumbnail},
        {"offline/400x400.png", 400, 400, DrawOffline},
        // Written at 32 pixels, shown at 16 on a 24 pixel button
        {"refresh/circleArrow/32x32.png", 32, 16, DrawRefresh},
        {"cardMode/normal/16x16.png", 16, 16, [](QPainter& p) { DrawCardMode(p, kGrey); }},
        {"cardMode/active/16x16.png", 16, 16, [](QPainter& p) { DrawCardMode(p, kBlue); }},
        {"tableMode/normal/16x16.png", 16, 16, [](QPainter& p) { DrawTableMode(p, kGrey); }},
        {"tableMode/active/16x16.png", 16, 16, [](QPainter& p) { DrawTableMode(p, kBlue); }},
        // Written at 12 pixels, shown at 8 inside the 12 pixel check box
        {"tick/white/12x12.png", 12, 8, DrawTick},
        // Written at 48 pixels, shown between 16 and 28
        {"3d/48x48.png", 48, 24, Draw3d},
        {"close/cross/16x16.png", 16, 16, DrawCross},
        {"Announcement/HighWarning/16x16.png", 16, 16, DrawHighWarning},
    };
}

QImage Render(const Picture& picture, int factor = 1)
{
    const int side = picture.size * factor;
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal scale = qreal(side) / picture.unit;
    p.scale(scale, scale);
    picture.draw(p);
    p.end();
    return image;
}

QSize ShownSize(const Picture& picture, Qt::TransformationMode* mode);

// A picture written with fewer than two pixels per shown pixel also gets a variant
// drawn at twice its size, "name@2x.png" beside "name.png": Qt picks it by that name
// on screens of device pixel ratio 2, where the plain one would be enlarged and blurred.
bool NeedsDoubleDensity(const Picture& picture)
{
    Qt::TransformationMode mode;
    return picture.size < 2 * ShownSize(picture, &mode).width();
}

QString DoubleDensityPath(const QString& path)
{
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    return path.left(dot) + QStringLiteral("@2x") + path.mid(dot);
}

// --- Contact sheet ----------------------------------------------------------

void DrawChecker(QPainter& p, const QRect& area)
{
    constexpr int kSquare = 8;
    p.save();
    p.setClipRect(area);
    p.fillRect(area, QColor(255, 255, 255));
    for (int y = area.top(); y < area.bottom(); y += kSquare) {
        for (int x = area.left(); x < area.right(); x += kSquare) {
            if (((x - area.left()) / kSquare + (y - area.top()) / kSquare) % 2)
                p.fillRect(QRect(x, y, kSquare, kSquare), QColor(228, 230, 234));
        }
    }
    p.restore();
}

// The size at which the module shows a picture, and whether it is scaled smoothly there.
QSize ShownSize(const Picture& picture, Qt::TransformationMode* mode)
{
    *mode = Qt::SmoothTransformation;
    if (picture.path == "default_thumbnail.png")
        return QSize(96, 96);
    if (picture.path.startsWith("offline/")) {
        *mode = Qt::FastTransformation;
        return QSize(200, 200);
    }
    if (picture.path.startsWith("3d/"))
        return QSize(28, 28);
    return QSize(picture.unit, picture.unit);
}

// Each picture at its own size (small ones enlarged 4 times without smoothing, so
// every pixel can be judged), then at the size the module shows it, and for the
// small ones that size enlarged again to judge the downscale.
QImage ContactSheet(const std::vector<Picture>& pictures, const std::vector<QImage>& images)
{
    constexpr int kMargin = 16;
    constexpr int kLabelHeight = 20;
    constexpr int kZoom = 4;
    constexpr int kSmallLimit = 64;
    constexpr int kSheetWidth = 1240;

    struct Cell { QRect rect; QSize shown; Qt::TransformationMode mode; };
    std::vector<Cell> cells;

    // Flow the cells left to right, each row as tall as its tallest cell
    int x = kMargin, y = kMargin, rowHeight = 0;
    for (const Picture& picture : pictures) {
        Cell cell;
        cell.shown = ShownSize(picture, &cell.mode);
        const bool small = picture.size <= kSmallLimit;
        const int first = small ? picture.size * kZoom : picture.size;
        const bool third = small && cell.shown.width() != picture.size;
        const int width = qMax(first + kMargin + cell.shown.width() + 4
                                   + (third ? kMargin + cell.shown.width() * kZoom : 0),
                               300);
        const int height = kLabelHeight + qMax(first, cell.shown.height()) + 4;
        if (x + width > kSheetWidth - kMargin && x > kMargin) {
            x = kMargin;
            y += rowHeight + kMargin;
            rowHeight = 0;
        }
        cell.rect = QRect(x, y, width, height);
        cells.push_back(cell);
        x += width + kMargin * 2;
        rowHeight = qMax(rowHeight, height);
    }

    QImage sheet(kSheetWidth, y + rowHeight + kMargin, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(250, 250, 252));
    QPainter p(&sheet);
    QFont font = p.font();
    font.setPixelSize(12);
    p.setFont(font);

    for (size_t i = 0; i < cells.size(); ++i) {
        const Picture& picture = pictures[i];
        const QImage& image = images[i];
        const Cell& cell = cells[i];
        const bool small = picture.size <= kSmallLimit;
        const bool onBlue = picture.path.startsWith("tick/");

        // Label
        p.setPen(QColor(40, 40, 51));
        p.drawText(QRect(cell.rect.topLeft(), QSize(cell.rect.width(), kLabelHeight)),
                   Qt::AlignLeft | Qt::AlignVCenter, ":/images/" + picture.path);
        const QPoint origin = cell.rect.topLeft() + QPoint(0, kLabelHeight + 2);
        int cursor = origin.x();

        // As drawn, over a checker for transparency (the tick over its blue box)
        const int first = small ? picture.size * kZoom : picture.size;
        const QRect firstRect(cursor, origin.y(), first, first);
        DrawChecker(p, firstRect);
        if (onBlue)
            p.fillRect(firstRect, kBlue);
        p.drawImage(firstRect, small ? image.scaled(firstRect.size(), Qt::IgnoreAspectRatio,
                                                    Qt::FastTransformation)
                                     : image);
        cursor += first + kMargin;

        // As shown, on white; the tick as the checked box draws it, in the middle of a 12 x 12 blue box
        const QRect shownRect(QPoint(cursor + 2, origin.y() + 2), cell.shown);
        p.fillRect(shownRect.adjusted(-2, -2, 2, 2), onBlue ? kBlue : kWhite);
        const QImage shown = image.scaled(cell.shown, Qt::IgnoreAspectRatio, cell.mode);
        p.drawImage(shownRect, shown);
        cursor += cell.shown.width() + 4 + kMargin;

        // As shown, enlarged
        if (small && cell.shown.width() != picture.size) {
            const QRect zoomRect(cursor, origin.y(), cell.shown.width() * kZoom,
                                 cell.shown.height() * kZoom);
            DrawChecker(p, zoomRect);
            if (onBlue)
                p.fillRect(zoomRect, kBlue);
            p.drawImage(zoomRect,
                        shown.scaled(zoomRect.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation));
        }
    }
    p.end();
    return sheet;
}

} // namespace

int main(int argc, char* argv[])
{
    // Pictures are drawn without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QTextStream err(stderr);
    QStringList args = app.arguments();
    args.removeFirst();
    QString sheetPath;
    const int sheetFlag = args.indexOf("--sheet");
    if (sheetFlag >= 0) {
        if (sheetFlag + 1 >= args.size()) {
            err << "plaza-imagegen: --sheet needs a file name\n";
            return 2;
        }
        sheetPath = args.takeAt(sheetFlag + 1);
        args.removeAt(sheetFlag);
    }
    if (args.size() != 1) {
        err << "usage: plaza-imagegen <output folder> [--sheet <contact sheet .png>]\n";
        return 2;
    }

    const QDir out(args.first());
    const std::vector<Picture> pictures = AllPictures();
    std::vector<QImage> images;
    const auto write = [&out, &err](const QImage& image, const QString& path) {
        const QString file = out.filePath(path);
        if (!QDir().mkpath(QFileInfo(file).absolutePath())
            || !image.convertToFormat(QImage::Format_ARGB32).save(file, "PNG")) {
            err << "plaza-imagegen: cannot write " << file << "\n";
            return false;
        }
        return true;
    };
    for (const Picture& picture : pictures) {
        images.push_back(Render(picture));
        if (!write(images.back(), picture.path)
            || (NeedsDoubleDensity(picture) && !write(Render(picture, 2), DoubleDensityPath(picture.path)))) {
            return 1;
        }
    }

    if (!sheetPath.isEmpty() && !ContactSheet(pictures, images).save(sheetPath, "PNG")) {
        err << "plaza-imagegen: cannot write " << sheetPath << "\n";
        return 1;
    }
    return 0;
}
