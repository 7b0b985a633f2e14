#pragma once

#include "vela_elementui_export.h"

#include <QObject>

namespace vela {

// Signals of a selection kept across pages; the typed container derives from it.
class VELA_ELEMENTUI_EXPORT SelectionHelperBase : public QObject
{
    Q_OBJECT

public:
    explicit SelectionHelperBase(QObject* parent = nullptr);

signals:
    void ItemsChanged();
    void ItemsCleared();
};

} // namespace vela
