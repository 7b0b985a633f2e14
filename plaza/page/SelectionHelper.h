#pragma once

#include "SelectionHelperBase.h"

#include <map>
#include <string>
#include <vector>

namespace vela {

// Items checked by id, kept across pages and display modes.
template <class T>
class SelectionHelper : public SelectionHelperBase
{
public:
    explicit SelectionHelper(QObject* parent = nullptr)
        : SelectionHelperBase(parent)
    {
    }

    void Add(const std::wstring& id, const T& item)
    {
        m_items[id] = item;
        emit ItemsChanged();
    }

    void Remove(const std::wstring& id)
    {
        if (m_items.erase(id) > 0) {
            emit ItemsChanged();
        }
    }

    void Clear()
    {
        if (m_items.empty()) {
            return;
        }
        m_items.clear();
        emit ItemsChanged();
        emit ItemsCleared();
    }

    // Copies of the items, by id.
    std::vector<T> Items() const
    {
        std::vector<T> items;
        items.reserve(m_items.size());
        for (const auto& entry : m_items) {
            items.push_back(entry.second);
        }
        return items;
    }

    int Count() const { return static_cast<int>(m_items.size()); }

private:
    std::map<std::wstring, T> m_items;
};

} // namespace vela
