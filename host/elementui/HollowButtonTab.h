#pragma once

#include "CustomTab.h"

namespace vela {

// A tab whose header is a row of outlined buttons; the current one is blue.
class VELA_ELEMENTUI_EXPORT HollowButtonTab : public CustomTab
{
    Q_OBJECT

public:
    explicit HollowButtonTab(QWidget* parent);

protected:
    QAbstractButton* CreateHeaderButton(const QString& title) override;
};

} // namespace vela
