#pragma once

#include "IComponent.h"

#include <QMap>
#include <Qt>

#include <memory>
#include <string>
#include <vector>

namespace vela {

// The check state of every component on the shown page, keyed by component id.
class ComponentCheckStates
{
public:
    // Starts a new page with every component unchecked.
    void Reset(const std::vector<std::shared_ptr<IComponent>>& components);

    bool IsChecked(const std::wstring& id) const;
    // False when `id` is not on the page.
    bool Set(const std::wstring& id, bool checked);

    int CheckedCount() const;
    // Checked when all are, partially when some are.
    Qt::CheckState Summary() const;

    // In id order.
    std::vector<std::wstring> CheckedIds() const;
    std::vector<IComponent> CheckedComponents(const std::vector<std::shared_ptr<IComponent>>& components) const;

private:
    QMap<std::wstring, bool> m_states;
};

} // namespace vela
