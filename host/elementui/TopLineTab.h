#pragma once

#include "CustomTab.h"

namespace vela {

// A tab whose header is a strip of flat titles; the current one is white with a blue line on top.
class VELA_ELEMENTUI_EXPORT TopLineTab : public CustomTab
{
    Q_OBJECT

public:
    explicit TopLineTab(QWidget* parent);

protected:
    QAbstractButton* CreateHeaderButton(const QString& title) override;
};

} // namespace vela
