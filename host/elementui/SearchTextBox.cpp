#include "SearchTextBox.h"

#include <QAction>
#include <QApplication>
#include <QPainter>
#include <QPixmap>

namespace vela {

namespace {

constexpr int GlyphSize = 16;
constexpr QColor GlyphColour{120, 122, 131};

QIcon MagnifierIcon()
{
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(QSize(GlyphSize, GlyphSize) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);

    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(GlyphColour, 1.5, Qt::SolidLine, Qt::RoundCap));
    // Lens
    painter.drawEllipse(QRectF(2.5, 2.5, 8.0, 8.0));
    // Handle
    painter.drawLine(QPointF(9.5, 9.5), QPointF(13.5, 13.5));
    return QIcon(pixmap);
}

} // namespace

SearchTextBox::SearchTextBox(const QString& placeholderText, QWidget* parent)
    : QLineEdit(parent)
{
    setPlaceholderText(placeholderText);
    Init();
}

void SearchTextBox::Init()
{
    setFixedHeight(24);
    setClearButtonEnabled(true);
    setStyleSheet(QStringLiteral(
        "QLineEdit{background:rgb(255,255,255);border:1px solid rgb(189,199,213);border-radius:2px;"
        "padding-left:4px;font-family:\"Microsoft YaHei\";font-size:12px;color:rgb(40,40,51);}"
        "QLineEdit:focus{border-color:rgb(82,145,221);}"));

    auto* search = addAction(MagnifierIcon(), QLineEdit::TrailingPosition);
    search->setObjectName(QStringLiteral("SearchAction"));
    search->setText(tr("搜索"));
    search->setToolTip(tr("搜索"));
    // Qt's own clear button carries no text; screen readers would announce nothing.
    if (auto* clear = findChild<QAction*>(QStringLiteral("_q_qlineeditclearaction"))) {
        clear->setText(tr("清空关键词"));
        clear->setToolTip(tr("清空关键词"));
    }
    connect(search, &QAction::triggered, this, [this] { emit Searched(); });
}

} // namespace vela
