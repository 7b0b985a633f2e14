#include "HollowButtonTab.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace vela {

HollowButtonTab::HollowButtonTab(QWidget* parent)
    : CustomTab(parent)
{
    HeaderLayout()->setContentsMargins(8, 0, 8, 8);
    HeaderLayout()->setSpacing(8);
}

QAbstractButton* HollowButtonTab::CreateHeaderButton(const QString& title)
{
    auto* button = new QPushButton(title);
    QFont font(QStringLiteral("Microsoft YaHei"));
    font.setPixelSize(12);
    button->setFont(font);
    button->setFixedHeight(24);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(QStringLiteral(
        "QPushButton{border:1px solid rgb(210,215,220);border-radius:12px;background:rgb(255,255,255);"
        "color:rgb(80,82,91);padding:0px 12px;}"
        "QPushButton:hover{border-color:rgb(82,145,221);color:rgb(82,145,221);}"
        "QPushButton:checked{border-color:rgb(82,145,221);color:rgb(82,145,221);background:rgb(238,244,252);}"));
    return button;
}

} // namespace vela
