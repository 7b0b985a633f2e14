#include "ImageSlider.h"

#include "UrlImageProvider.h"
#include "WideText.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace vela {

namespace {

constexpr int SideMargin = 8;
constexpr int DotAreaHeight = 18;
constexpr int DotSize = 6;
constexpr int DotGap = 6;
constexpr int ArrowSize = 28;
constexpr int CaptionHeight = 22;
constexpr QColor Blue{82, 145, 221};
constexpr QColor BorderColour{210, 215, 220};
constexpr QColor PlaceholderFill{245, 247, 250};
constexpr QColor NoteColour{160, 162, 171};
constexpr QColor ArrowFill{0, 0, 0, 70};
constexpr QColor ArrowHoverFill{0, 0, 0, 120};

QFont YaHei(int pixelSize)
{
    QFont font(QStringLiteral("Microsoft YaHei"));
    font.setPixelSize(pixelSize);
    return font;
}

void DrawChevron(QPainter& painter, const QRect& circle, bool pointsLeft)
{
    const QPointF c = QRectF(circle).center();
    const qreal d = circle.width() / 7.0;
    const qreal dir = pointsLeft ? 1 : -1;
    QPainterPath chevron;
    chevron.moveTo(c.x() + d * dir * 0.6, c.y() - d * 1.4);
    chevron.lineTo(c.x() - d * dir * 0.8, c.y());
    chevron.lineTo(c.x() + d * dir * 0.6, c.y() + d * 1.4);
    painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(chevron);
}

} // namespace

ImageSlider::ImageSlider(QWidget* parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setMinimumSize(120, 80);
}

QSize ImageSlider::sizeHint() const
{
    return QSize(256, 200);
}

void ImageSlider::SetImageProvider(std::shared_ptr<UrlImageProvider> provider)
{
    disconnect(m_providerConnection);
    m_provider = std::move(provider);
    if (m_provider) {
        m_providerConnection = connect(m_provider.get(), &UrlImageProvider::OnProvided, this,
                                       [this](std::wstring key, std::shared_ptr<QImage> image) {
                                           HandleImageProvided(key, image);
                                       });
        for (const QString& url : qAsConst(m_urls)) {
            if (!m_images.contains(url)) {
                m_provider->Provide(url.toStdWString());
            }
        }
    }
}

void ImageSlider::SetImages(std::vector<std::wstring> urls, std::map<std::wstring, std::wstring> captions)
{
    QStringList list;
    list.reserve(static_cast<int>(urls.size()));
    for (const std::wstring& url : urls) {
        list.append(WideText::ToQString(url));
    }
    m_captions.clear();
    for (const auto& [url, caption] : captions) {
        m_captions.insert(WideText::ToQString(url), WideText::ToQString(caption));
    }
    // Images still wanted stay; the rest are dropped so a long session keeps little.
    for (auto it = m_images.begin(); it != m_images.end();) {
        it = list.contains(it.key()) ? std::next(it) : m_images.erase(it);
    }
    m_failed.clear();
    m_urls = list;
    if (m_provider) {
        for (const QString& url : qAsConst(m_urls)) {
            if (!m_images.contains(url) && !url.isEmpty()) {
                m_provider->Provide(url.toStdWString());
            }
        }
    }
    m_current = m_urls.isEmpty() ? -1 : 0;
    emit CurrentIndexChanged(m_current);
    update();
}

bool ImageSlider::IsImageReady(int index) const
{
    return index >= 0 && index < m_urls.size() && m_images.contains(m_urls.at(index));
}

QString ImageSlider::Note() const
{
    if (m_urls.isEmpty()) {
        return tr("暂无图片");
    }
    const QString url = m_current >= 0 ? m_urls.at(m_current) : QString();
    if (m_images.contains(url)) {
        return QString();
    }
    if (m_failed.contains(url) || url.isEmpty()) {
        return tr("图片加载失败");
    }
    return tr("加载中...");
}

void ImageSlider::SetCurrentIndex(int index)
{
    if (index < 0 || index >= m_urls.size() || index == m_current) {
        return;
    }
    m_current = index;
    emit CurrentIndexChanged(m_current);
    update();
}

void ImageSlider::ShowPrevious()
{
    if (m_urls.size() > 1) {
        SetCurrentIndex((m_current + m_urls.size() - 1) % m_urls.size());
    }
}

void ImageSlider::ShowNext()
{
    if (m_urls.size() > 1) {
        SetCurrentIndex((m_current + 1) % m_urls.size());
    }
}

void ImageSlider::HandleImageProvided(const std::wstring& key, const std::shared_ptr<QImage>& image)
{
    const QString url = WideText::ToQString(key);
    if (!m_urls.contains(url)) {
        return;
    }
    if (image && !image->isNull()) {
        m_images.insert(url, *image);
        m_failed.remove(url);
    } else {
        m_failed.insert(url);
    }
    update();
}

QRect ImageSlider::ImageArea() const
{
    return rect().adjusted(SideMargin, 0, -SideMargin, -DotAreaHeight);
}

QRect ImageSlider::PreviousArrowRect() const
{
    const QRect area = ImageArea();
    return QRect(area.left() + 4, area.center().y() - ArrowSize / 2, ArrowSize, ArrowSize);
}

QRect ImageSlider::NextArrowRect() const
{
    const QRect area = ImageArea();
    return QRect(area.right() - 4 - ArrowSize + 1, area.center().y() - ArrowSize / 2, ArrowSize, ArrowSize);
}

QVector<QRect> ImageSlider::DotRects() const
{
    QVector<QRect> dots;
    const int count = m_urls.size();
    if (count < 2) {
        return dots;
    }
    const int total = count * DotSize + (count - 1) * DotGap;
    const int left = (width() - total) / 2;
    const int top = height() - DotAreaHeight + (DotAreaHeight - DotSize) / 2;
    for (int i = 0; i < count; ++i) {
        dots.append(QRect(left + i * (DotSize + DotGap), top, DotSize, DotSize));
    }
    return dots;
}

void ImageSlider::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect area = ImageArea();
    const QString url = m_current >= 0 ? m_urls.at(m_current) : QString();
    const auto image = m_images.constFind(url);

    // Image, or a note in its place
    painter.save();
    if (image != m_images.constEnd()) {
        const QSize fitted = image->size().scaled(area.size(), Qt::KeepAspectRatio);
        const QRect target(area.center().x() - fitted.width() / 2 + 1, area.center().y() - fitted.height() / 2 + 1,
                           fitted.width(), fitted.height());
        painter.drawImage(target, *image);
    } else {
        painter.setPen(QPen(BorderColour, 1));
        painter.setBrush(PlaceholderFill);
        painter.drawRoundedRect(QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
        painter.setFont(YaHei(12));
        painter.setPen(NoteColour);
        painter.drawText(area, Qt::AlignCenter, Note());
    }
    painter.restore();

    // Caption
    const QString caption = m_captions.value(url);
    if (!caption.isEmpty()) {
        painter.save();
        const QRect captionRect(area.left(), area.bottom() - CaptionHeight + 1, area.width(), CaptionHeight);
        painter.fillRect(captionRect, QColor(0, 0, 0, 90));
        painter.setFont(YaHei(12));
        painter.setPen(Qt::white);
        painter.drawText(captionRect.adjusted(8, 0, -8, 0), Qt::AlignCenter,
                         painter.fontMetrics().elidedText(caption, Qt::ElideRight, captionRect.width() - 16));
        painter.restore();
    }

    // Arrows, only while the mouse is over the slider
    if (m_hovered && m_urls.size() > 1) {
        painter.save();
        painter.setPen(Qt::NoPen);
        const QRect previous = PreviousArrowRect();
        const QRect next = NextArrowRect();
        painter.setBrush(previous.contains(m_mousePos) ? ArrowHoverFill : ArrowFill);
        painter.drawEllipse(previous);
        painter.setBrush(next.contains(m_mousePos) ? ArrowHoverFill : ArrowFill);
        painter.drawEllipse(next);
        DrawChevron(painter, previous, true);
        DrawChevron(painter, next, false);
        painter.restore();
    }

    // Dots
    const QVector<QRect> dots = DotRects();
    painter.save();
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < dots.size(); ++i) {
        painter.setBrush(i == m_current ? Blue : BorderColour);
        painter.drawEllipse(dots.at(i));
    }
    painter.restore();
}

void ImageSlider::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_urls.size() < 2) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (PreviousArrowRect().contains(event->pos())) {
        ShowPrevious();
        return;
    }
    if (NextArrowRect().contains(event->pos())) {
        ShowNext();
        return;
    }
    const QVector<QRect> dots = DotRects();
    for (int i = 0; i < dots.size(); ++i) {
        // Dots are small; accept a click a few pixels around each.
        if (dots.at(i).adjusted(-3, -5, 3, 5).contains(event->pos())) {
            SetCurrentIndex(i);
            return;
        }
    }
    QWidget::mousePressEvent(event);
}

void ImageSlider::mouseMoveEvent(QMouseEvent* event)
{
    m_mousePos = event->pos();
    m_hovered = true;
    const bool overControl = m_urls.size() > 1
        && (PreviousArrowRect().contains(m_mousePos) || NextArrowRect().contains(m_mousePos));
    setCursor(overControl ? Qt::PointingHandCursor : Qt::ArrowCursor);
    update();
    QWidget::mouseMoveEvent(event);
}

void ImageSlider::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Left) {
        ShowPrevious();
        return;
    }
    if (event->key() == Qt::Key_Right) {
        ShowNext();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ImageSlider::enterEvent(QEvent* event)
{
    m_hovered = true;
    update();
    QWidget::enterEvent(event);
}

void ImageSlider::leaveEvent(QEvent* event)
{
    m_hovered = false;
    m_mousePos = QPoint(-1, -1);
    update();
    QWidget::leaveEvent(event);
}

} // namespace vela
