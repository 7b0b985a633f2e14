#include "CategoriesTreeModel.h"

#include <QColor>

#include <unordered_set>

namespace vela {

namespace {

constexpr QColor TextColour{40, 40, 51};
constexpr QColor NoMatchColour{168, 172, 181};

} // namespace

// Nodes are owned flat by the model so that a very deep tree is neither built
// nor destroyed recursively.
struct CategoriesTreeModel::Node
{
    std::shared_ptr<ICategory> Category;
    Node* Parent = nullptr;
    int Row = 0;
    std::vector<Node*> Children;
};

CategoriesTreeModel::CategoriesTreeModel(QObject* parent)
    : QAbstractItemModel(parent)
    , m_root(std::make_unique<Node>())
{
}

CategoriesTreeModel::~CategoriesTreeModel() = default;

void CategoriesTreeModel::SetCategories(const std::vector<std::shared_ptr<ICategory>>& categories)
{
    // First appearance of each code wins; entries without a code cannot be addressed.
    std::vector<const std::shared_ptr<ICategory>*> kept;
    std::unordered_set<std::wstring> seen;
    kept.reserve(categories.size());
    for (const auto& category : categories) {
        if (!category || category->Code.empty())
            continue;
        if (seen.insert(category->Code).second)
            kept.push_back(&category);
    }

    std::unordered_map<std::wstring, std::vector<const std::shared_ptr<ICategory>*>> childrenOf;
    std::vector<const std::shared_ptr<ICategory>*> roots;
    for (const auto* category : kept) {
        if ((*category)->ParentCode.empty())
            roots.push_back(category);
        else
            childrenOf[(*category)->ParentCode].push_back(category);
    }

    beginResetModel();
    m_root = std::make_unique<Node>();
    m_nodes.clear();
    m_byCode.clear();

    // Walk down from the roots: orphans and cycles are never reached and so dropped.
    std::vector<std::pair<Node*, const std::vector<const std::shared_ptr<ICategory>*>*>> pending;
    pending.emplace_back(m_root.get(), &roots);
    while (!pending.empty()) {
        auto [parentNode, list] = pending.back();
        pending.pop_back();
        for (const auto* category : *list) {
            auto node = std::make_unique<Node>();
            node->Category = *category;
            node->Parent = parentNode;
            node->Row = static_cast<int>(parentNode->Children.size());
            parentNode->Children.push_back(node.get());
            m_byCode.emplace((*category)->Code, node.get());
            auto found = childrenOf.find((*category)->Code);
            if (found != childrenOf.end())
                pending.emplace_back(node.get(), &found->second);
            m_nodes.push_back(std::move(node));
        }
    }
    endResetModel();
}

QModelIndex CategoriesTreeModel::IndexOfCode(const std::wstring& code) const
{
    auto found = m_byCode.find(code);
    if (found == m_byCode.end())
        return {};
    Node* node = found->second;
    return createIndex(node->Row, 0, node);
}

ICategory* CategoriesTreeModel::CategoryAt(const QModelIndex& index) const
{
    Node* node = NodeAt(index);
    return node == m_root.get() ? nullptr : node->Category.get();
}

CategoriesTreeModel::Node* CategoriesTreeModel::NodeAt(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return m_root.get();
    return static_cast<Node*>(index.internalPointer());
}

QModelIndex CategoriesTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (!hasIndex(row, column, parent))
        return {};
    return createIndex(row, column, NodeAt(parent)->Children[static_cast<size_t>(row)]);
}

QModelIndex CategoriesTreeModel::parent(const QModelIndex& child) const
{
    if (!child.isValid())
        return {};
    Node* parentNode = NodeAt(child)->Parent;
    if (!parentNode || parentNode == m_root.get())
        return {};
    return createIndex(parentNode->Row, 0, parentNode);
}

int CategoriesTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    return static_cast<int>(NodeAt(parent)->Children.size());
}

int CategoriesTreeModel::columnCount(const QModelIndex& parent) const
{
    Q_UNUSED(parent)
    return 1;
}

QVariant CategoriesTreeModel::data(const QModelIndex& index, int role) const
{
    const ICategory* category = CategoryAt(index);
    if (!category)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return QString::fromStdWString(category->Name);
    case Qt::ForegroundRole:
        return category->HasMatches ? TextColour : NoMatchColour;
    default:
        return {};
    }
}

} // namespace vela
