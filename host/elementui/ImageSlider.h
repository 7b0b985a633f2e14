#pragma once

#include "vela_elementui_export.h"

#include <QHash>
#include <QImage>
#include <QSet>
#include <QStringList>
#include <QWidget>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vela {

class UrlImageProvider;

// Shows images named by URL one at a time, with previous/next arrows on hover
// and a dot per image; the images arrive through a UrlImageProvider.
class VELA_ELEMENTUI_EXPORT ImageSlider : public QWidget
{
    Q_OBJECT

public:
    explicit ImageSlider(QWidget* parent);

    void SetImageProvider(std::shared_ptr<UrlImageProvider> provider);
    // Shows the first of `urls` and asks for all of them. `captions` maps a URL
    // to a line shown under its image.
    void SetImages(std::vector<std::wstring> urls, std::map<std::wstring, std::wstring> captions);

    int Count() const { return m_urls.size(); }
    int CurrentIndex() const { return m_current; }
    QStringList Images() const { return m_urls; }
    // Whether the image at `index` has arrived.
    bool IsImageReady(int index) const;
    // The note shown in place of the current image ("加载中...", "图片加载失败", ...);
    // empty while an image is shown.
    QString Note() const;

    void SetCurrentIndex(int index);
    // Both wrap around.
    void ShowPrevious();
    void ShowNext();

    QSize sizeHint() const override;

signals:
    void CurrentIndexChanged(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void HandleImageProvided(const std::wstring& key, const std::shared_ptr<QImage>& image);
    QRect ImageArea() const;
    QRect PreviousArrowRect() const;
    QRect NextArrowRect() const;
    // One rectangle per dot, in order.
    QVector<QRect> DotRects() const;

    std::shared_ptr<UrlImageProvider> m_provider;
    QMetaObject::Connection m_providerConnection;
    QStringList m_urls;
    QHash<QString, QString> m_captions;
    QHash<QString, QImage> m_images;
    QSet<QString> m_failed;
    int m_current = -1;
    bool m_hovered = false;
    QPoint m_mousePos;
};

} // namespace vela
