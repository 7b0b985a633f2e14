#include "LegendsPane.h"

#include "ScrollBarStyles.h"
#include "UrlImageProvider.h"
#include "WideText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace vela {

namespace {

constexpr int HeaderHeight = 24;
constexpr int PictureSide = 84;
constexpr int CaptionHeight = 18;
constexpr int TileSpacing = 8;
constexpr int GlyphSize = 12;

QFont YaHei(int pixelSize)
{
    QFont font(QStringLiteral("Microsoft YaHei"));
    font.setPixelSize(pixelSize);
    return font;
}

// A small chevron pointing up (collapse) or down (expand).
QIcon Chevron(bool up)
{
    QPixmap pixmap(GlyphSize * 2, GlyphSize * 2);
    pixmap.setDevicePixelRatio(2);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(120, 122, 131), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const qreal mid = GlyphSize / 2.0;
    const qreal dy = up ? -1.5 : 1.5;
    painter.drawLine(QPointF(mid - 4, mid - dy), QPointF(mid, mid + dy));
    painter.drawLine(QPointF(mid, mid + dy), QPointF(mid + 4, mid - dy));
    return QIcon(pixmap);
}

} // namespace

LegendsPane::LegendsPane(QWidget* parent)
    : QWidget(parent)
{
    InitUI();
}

void LegendsPane::InitUI()
{
    m_provider = new UrlImageProvider(this);
    connect(m_provider, &UrlImageProvider::OnProvided, this,
            [this](std::wstring key, std::shared_ptr<QImage> image) { HandleImageProvided(key, image); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(4);

    auto* header = new QHBoxLayout;
    header->setContentsMargins(0, 0, 0, 0);
    header->setSpacing(4);
    auto* titleLabel = new QLabel(tr("图例"), this);
    titleLabel->setFont(YaHei(12));
    titleLabel->setStyleSheet(QStringLiteral("QLabel{color:rgb(102,102,102);}"));
    titleLabel->setFixedHeight(HeaderHeight);
    header->addWidget(titleLabel);
    header->addStretch(1);
    m_toggleButton = new QToolButton(this);
    m_toggleButton->setObjectName(QStringLiteral("LegendsToggleButton"));
    m_toggleButton->setFixedSize(HeaderHeight, HeaderHeight);
    m_toggleButton->setCursor(Qt::PointingHandCursor);
    m_toggleButton->setStyleSheet(QStringLiteral(
        "QToolButton{border:none;background:transparent;}QToolButton:hover{background:rgb(238,244,252);}"));
    header->addWidget(m_toggleButton);
    layout->addLayout(header);
    connect(m_toggleButton, &QToolButton::clicked, this, [this] { Expand(!m_expanded); });

    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setWidgetResizable(true);
    m_scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollArea->horizontalScrollBar()->setStyleSheet(ScrollBarStyles::HorizontalScrollBarStyle());
    m_scrollArea->setFixedHeight(PictureSide + CaptionHeight + 12);
    m_strip = new QWidget(m_scrollArea);
    m_strip->setObjectName(QStringLiteral("LegendsStrip"));
    m_strip->setStyleSheet(QStringLiteral("QWidget#LegendsStrip{background:transparent;}"));
    m_stripLayout = new QHBoxLayout(m_strip);
    m_stripLayout->setContentsMargins(0, 0, 0, 0);
    m_stripLayout->setSpacing(TileSpacing);
    m_stripLayout->addStretch(1);
    m_scrollArea->setWidget(m_strip);
    layout->addWidget(m_scrollArea);

    Expand(true);
}

void LegendsPane::SetLegends(const std::vector<std::shared_ptr<ILegend>>& legends)
{
    m_legends.clear();
    for (const std::shared_ptr<ILegend>& legend : legends) {
        if (legend) {
            m_legends.push_back(legend);
        }
    }

    m_pictures.clear();
    while (m_stripLayout->count() > 1) {
        QLayoutItem* item = m_stripLayout->takeAt(0);
        delete item->widget();
        delete item;
    }
    for (size_t i = 0; i < m_legends.size(); ++i) {
        m_stripLayout->insertWidget(static_cast<int>(i), CreateTile(*m_legends[i]));
    }
    m_scrollArea->horizontalScrollBar()->setValue(0);
}

QWidget* LegendsPane::CreateTile(const ILegend& legend)
{
    auto* tile = new QWidget(m_strip);
    tile->setFixedWidth(PictureSide);
    auto* layout = new QVBoxLayout(tile);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    const QString url = WideText::ToQString(legend.ImageUrl);
    const QString caption = WideText::ToQString(legend.Name);

    auto* picture = new QLabel(tile);
    picture->setObjectName(QStringLiteral("LegendPicture"));
    picture->setFixedSize(PictureSide, PictureSide);
    picture->setAlignment(Qt::AlignCenter);
    picture->setFont(YaHei(12));
    picture->setStyleSheet(QStringLiteral(
        "QLabel#LegendPicture{border:1px solid rgb(210,215,220);background:rgb(255,255,255);color:rgb(160,162,171);}"));
    picture->setToolTip(caption);
    layout->addWidget(picture);

    auto* captionLabel = new QLabel(tile);
    captionLabel->setFont(YaHei(12));
    captionLabel->setFixedHeight(CaptionHeight);
    captionLabel->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    captionLabel->setStyleSheet(QStringLiteral("QLabel{color:rgb(80,82,91);}"));
    captionLabel->setText(captionLabel->fontMetrics().elidedText(caption, Qt::ElideRight, PictureSide));
    captionLabel->setToolTip(caption);
    layout->addWidget(captionLabel);

    if (url.isEmpty()) {
        picture->setText(tr("无图片"));
    } else {
        picture->setText(tr("加载中..."));
        m_pictures.insert(url, picture);
        m_provider->Provide(url.toStdWString());
    }
    return tile;
}

void LegendsPane::HandleImageProvided(const std::wstring& key, const std::shared_ptr<QImage>& image)
{
    const QString url = WideText::ToQString(key);
    const QList<QLabel*> pictures = m_pictures.values(url);
    for (QLabel* picture : pictures) {
        if (image && !image->isNull()) {
            const QSize inner = picture->size() - QSize(2, 2);
            const qreal ratio = picture->devicePixelRatioF();
            QPixmap pixmap = QPixmap::fromImage(
                image->scaled(inner * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation));
            pixmap.setDevicePixelRatio(ratio);
            picture->setPixmap(pixmap);
        } else {
            picture->setText(tr("图片加载失败"));
        }
    }
}

bool LegendsPane::IsImageReady(int index) const
{
    QLayoutItem* item = m_stripLayout->itemAt(index);
    if (index < 0 || index >= static_cast<int>(m_legends.size()) || !item || !item->widget()) {
        return false;
    }
    const auto* picture = item->widget()->findChild<QLabel*>(QStringLiteral("LegendPicture"));
    return picture && !picture->pixmap(Qt::ReturnByValue).isNull();
}

void LegendsPane::Expand(bool expanded)
{
    const bool changed = expanded != m_expanded;
    m_expanded = expanded;
    m_scrollArea->setVisible(expanded);
    m_toggleButton->setIcon(Chevron(expanded));
    m_toggleButton->setToolTip(expanded ? tr("收起") : tr("展开"));
    m_toggleButton->setAccessibleName(m_toggleButton->toolTip());
    if (changed) {
        emit ExpandedChanged(expanded);
    }
}

} // namespace vela
