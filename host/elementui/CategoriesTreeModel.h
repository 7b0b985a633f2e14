#pragma once

#include "ICategory.h"
#include "vela_elementui_export.h"

#include <QAbstractItemModel>

#include <memory>
#include <unordered_map>
#include <vector>

namespace vela {

// The category tree built from the flat list the service answers (each
// category names its parent). Each index carries its ICategory.
class VELA_ELEMENTUI_EXPORT CategoriesTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    explicit CategoriesTreeModel(QObject* parent = nullptr);
    ~CategoriesTreeModel() override;

    // Replaces the tree. Null entries and categories whose parent is missing
    // are dropped; so are repeated codes after their first appearance.
    void SetCategories(const std::vector<std::shared_ptr<ICategory>>& categories);

    QModelIndex IndexOfCode(const std::wstring& code) const;
    ICategory* CategoryAt(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    struct Node;
    Node* NodeAt(const QModelIndex& index) const;

    std::unique_ptr<Node> m_root;
    std::vector<std::unique_ptr<Node>> m_nodes;
    std::unordered_map<std::wstring, Node*> m_byCode;
};

} // namespace vela
