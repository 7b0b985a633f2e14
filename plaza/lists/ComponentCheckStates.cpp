#include "ComponentCheckStates.h"

#include <algorithm>

namespace vela {

void ComponentCheckStates::Reset(const std::vector<std::shared_ptr<IComponent>>& components)
{
    m_states.clear();
    for (const std::shared_ptr<IComponent>& component : components) {
        if (component) {
            m_states.insert(component->Id, false);
        }
    }
}

bool ComponentCheckStates::IsChecked(const std::wstring& id) const
{
    return m_states.value(id, false);
}

bool ComponentCheckStates::Set(const std::wstring& id, bool checked)
{
    const auto entry = m_states.find(id);
    if (entry == m_states.end()) {
        return false;
    }
    entry.value() = checked;
    return true;
}

int ComponentCheckStates::CheckedCount() const
{
    return static_cast<int>(std::count(m_states.cbegin(), m_states.cend(), true));
}

Qt::CheckState ComponentCheckStates::Summary() const
{
    const int checkedCount = CheckedCount();
    if (checkedCount == 0) {
        return Qt::Unchecked;
    }
    return checkedCount == m_states.size() ? Qt::Checked : Qt::PartiallyChecked;
}

std::vector<std::wstring> ComponentCheckStates::CheckedIds() const
{
    std::vector<std::wstring> ids;
    for (auto it = m_states.cbegin(); it != m_states.cend(); ++it) {
        if (it.value()) {
            ids.push_back(it.key());
        }
    }
    return ids;
}

std::vector<IComponent> ComponentCheckStates::CheckedComponents(
    const std::vector<std::shared_ptr<IComponent>>& components) const
{
    std::vector<IComponent> checked;
    for (const std::wstring& id : CheckedIds()) {
        for (const std::shared_ptr<IComponent>& component : components) {
            if (component && component->Id == id) {
                checked.push_back(*component);
            }
        }
    }
    return checked;
}

} // namespace vela
