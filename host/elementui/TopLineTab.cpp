#include "TopLineTab.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace vela {

TopLineTab::TopLineTab(QWidget* parent)
    : CustomTab(parent)
{
    HeaderLayout()->setContentsMargins(0, 0, 0, 0);
    HeaderLayout()->setSpacing(0);
}

QAbstractButton* TopLineTab::CreateHeaderButton(const QString& title)
{
    auto* button = new QPushButton(title);
    QFont font(QStringLiteral("Microsoft YaHei"));
    font.setPixelSize(14);
    button->setFont(font);
    button->setFixedHeight(32);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(QStringLiteral(
        "QPushButton{border:none;border-top:2px solid transparent;background:transparent;"
        "color:rgb(80,82,91);padding:0px 16px;}"
        "QPushButton:hover{color:rgb(82,145,221);}"
        "QPushButton:checked{border-top-color:rgb(82,145,221);background:rgb(255,255,255);color:rgb(82,145,221);}"));
    return button;
}

} // namespace vela
