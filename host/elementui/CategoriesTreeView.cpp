#include "CategoriesTreeView.h"

#include "ScrollBarStyles.h"

#include <QHeaderView>

#include <algorithm>

namespace vela {

CategoriesTreeView::CategoriesTreeView(QWidget* parent)
    : QTreeView(parent)
{
    Init();
}

void CategoriesTreeView::Init()
{
    m_model = new CategoriesTreeModel(this);
    setModel(m_model);

    setHeaderHidden(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideRight);
    setIndentation(16);
    setFrameShape(QFrame::NoFrame);
    setMouseTracking(true);

    // Item colours are left to the model so that categories without matches stay grey.
    setStyleSheet(QStringLiteral(
        "QTreeView{background:rgb(255,255,255);border:none;border-right:1px solid rgb(210,215,220);"
        "font-family:\"Microsoft YaHei\";font-size:12px;outline:0;}"
        "QTreeView::item{height:28px;border:none;}"
        "QTreeView::item:hover{background:rgb(240,244,250);}"
        "QTreeView::item:selected{background:rgb(226,236,249);color:rgb(82,145,221);}"
        "QTreeView::branch:selected{background:rgb(226,236,249);}")
                  + ScrollBarStyles::VerticalScrollBarStyle(false) + ScrollBarStyles::HorizontalScrollBarStyle());

    // Showing other rows may change the widest name.
    connect(this, &QTreeView::expanded, this, [this] { FitColumn(); });
    connect(this, &QTreeView::collapsed, this, [this] { FitColumn(); });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] { FitColumn(); });
    // A failed or superseded request empties the tree just before the next
    // answer fills it again; that answer must open as the user left it.
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        if (m_model->rowCount() > 0)
            m_expandedWhenEmptied = GetExpandedCategoryCodes();
    });

    connect(this, &QTreeView::clicked, this, [this](const QModelIndex& index) {
        if (ICategory* category = m_model->CategoryAt(index))
            emit CategoryClicked(category);
    });
}

CategoriesTreeModel* CategoriesTreeView::Model() const
{
    return m_model;
}

void CategoriesTreeView::SelectCategory(const std::wstring& code)
{
    const QModelIndex index = code.empty() ? QModelIndex() : m_model->IndexOfCode(code);
    if (!index.isValid()) {
        clearSelection();
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        return;
    }
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

void CategoriesTreeView::ExpandCategory(const std::wstring& code)
{
    const QModelIndex index = m_model->IndexOfCode(code);
    if (index.isValid())
        expand(index);
}

void CategoriesTreeView::ExpandCategories(const std::vector<std::wstring>& codes)
{
    for (const auto& code : codes)
        ExpandCategory(code);
}

void CategoriesTreeView::ExpandToCategory(const std::wstring& code)
{
    const QModelIndex index = m_model->IndexOfCode(code);
    if (!index.isValid())
        return;
    for (QModelIndex ancestor = index.parent(); ancestor.isValid(); ancestor = ancestor.parent())
        expand(ancestor);
    scrollTo(index);
}

std::vector<std::wstring> CategoriesTreeView::GetExpandedCategoryCodes() const
{
    if (m_model->rowCount() == 0)
        return m_expandedWhenEmptied;
    // Every node is visited: a collapsed parent keeps its children's expansion.
    std::vector<std::wstring> codes;
    std::vector<QModelIndex> pending{QModelIndex()};
    while (!pending.empty()) {
        const QModelIndex parent = pending.back();
        pending.pop_back();
        if (parent.isValid() && isExpanded(parent))
            codes.push_back(m_model->CategoryAt(parent)->Code);
        for (int row = m_model->rowCount(parent) - 1; row >= 0; --row)
            pending.push_back(m_model->index(row, 0, parent));
    }
    return codes;
}

void CategoriesTreeView::SetShowHorizontalScrollBarAsNeeded()
{
    // Long names widen the column instead of being elided.
    m_fitColumnToContent = true;
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(QHeaderView::Interactive);
    FitColumn();
}

void CategoriesTreeView::FitColumn()
{
    // At least as wide as the view, so a selected row is highlighted across it.
    if (m_fitColumnToContent)
        setColumnWidth(0, std::max(viewport()->width(), sizeHintForColumn(0)));
}

void CategoriesTreeView::resizeEvent(QResizeEvent* event)
{
    QTreeView::resizeEvent(event);
    FitColumn();
}

} // namespace vela
