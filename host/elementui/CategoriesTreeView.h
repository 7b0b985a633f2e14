#pragma once

#include "CategoriesTreeModel.h"
#include "vela_elementui_export.h"

#include <QTreeView>

#include <string>
#include <vector>

namespace vela {

// The category tree of the public library. A click on a category reports it.
class VELA_ELEMENTUI_EXPORT CategoriesTreeView : public QTreeView
{
    Q_OBJECT

public:
    explicit CategoriesTreeView(QWidget* parent);

    CategoriesTreeModel* Model() const;

    // Makes the category current (an unknown or empty code clears the selection).
    void SelectCategory(const std::wstring& code);
    void ExpandCategory(const std::wstring& code);
    void ExpandCategories(const std::vector<std::wstring>& codes);
    // Expands every ancestor of the category so that it is visible.
    void ExpandToCategory(const std::wstring& code);
    // While the tree is empty, the codes expanded when it was emptied.
    std::vector<std::wstring> GetExpandedCategoryCodes() const;
    void SetShowHorizontalScrollBarAsNeeded();

signals:
    void CategoryClicked(ICategory* category);

private:
    void Init();
    void FitColumn();
    void resizeEvent(QResizeEvent* event) override;

    CategoriesTreeModel* m_model = nullptr;
    bool m_fitColumnToContent = false;
    std::vector<std::wstring> m_expandedWhenEmptied;
};

} // namespace vela
