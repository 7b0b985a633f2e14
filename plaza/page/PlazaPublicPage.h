#pragma once

#include "AddIntoProjectContext.h"
#include "BooleanConditionFilterItem.h"
#include "ConditionFilterOption.h"
#include "EnumerableConditionFilterItem.h"
#include "GeneralConditionValueItem.h"
#include "ICategoryProperty.h"
#include "IComponent.h"
#include "RangeBasedConditionFilterItem.h"
#include "SelectionHelper.h"
#include "plaza_export.h"

#include <QItemSelection>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QFrame;
class QPushButton;
class QStackedLayout;

namespace vela {

class CategoriesTreeView;
class ConditionFiltersPane;
class ConditionValuesPane;
class Pager;
class PlazaPageActions;
class PlazaPageConditions;
class PlazaPageEmptyState;
class PlazaPublicComponentDetailPanel;
class PlazaPublicComponentsCardListView;
class PlazaPublicComponentsTableView;
class SearchTextBox;

// The public library page: keeps the query (keyword, category, property
// conditions, page), sends it to the service layer, fills the tree, the lists
// and the pager from the replies, and runs the load, place, batch and
// add-into-project actions. The property conditions and the actions are
// worked out by two collaborators the page owns; its slots hand over to them.
class PLAZA_EXPORT PlazaPublicPage : public QWidget
{
    Q_OBJECT

public:
    explicit PlazaPublicPage(QWidget* parent);

    void SetAddIntoProjectContext(const AddIntoProjectContext& context);
    AddIntoProjectContext GetAddIntoProjectContext() const;

private slots:
    void HandleLoadComponentIntoDocument(IComponent component);
    void HandleLoadComponentIntoDocument4Lumen(IComponent component);
    void HandlePlaceComponentIntoDocument(IComponent component);
    void HandleComponentSelectionChanged(QItemSelection selected, QItemSelection deselected);
    void HandleEnumerableConditionChanged(EnumerableConditionFilterItem condition, QVariant newValue);
    void HandleRangeBasedConditionChanged(RangeBasedConditionFilterItem condition, QVariant minValue,
                                          QVariant maxValue);
    void HandleBooleanConditionChanged(BooleanConditionFilterItem condition, QVariant newValue);
    void HandleRemoveConditionValue(GeneralConditionValueItem conditionValue);
    void HandleClearConditionValues();
    void HandleNetworkStateChanged(int newState);

private:
    friend class PlazaMainWindow;

    bool eventFilter(QObject* watched, QEvent* event) override;

    void InitUI();
    void ConnectViews();

    // Browsing.
    void ResetAndLoad();
    void ResetToRootCategory();
    void Requery();
    void LoadCategories();
    void QueryComponents();
    void LoadCategoryProperty(std::wstring categoryCode);
    void RefreshConditionValues();
    void Refresh();
    bool HasQueryConditions() const;
    std::vector<std::shared_ptr<ConditionFilterOption>> CurrentConditions() const;
    void ShowComponents(const std::vector<std::shared_ptr<IComponent>>& components, uint64_t total,
                        uint64_t pageIndex);

    // Modes, checks and details.
    void SwitchToCardMode();
    void SwitchToListMode();
    void HandleComponentCheckStateChanged(IComponent* component, bool checked, bool fromTable);
    void UpdateBatchButton();

    // Batch load and add into the collaboration project.
    void HandleBatchButtonClicked();
    void BatchLoad();
    void AddComponentsIntoProject(const std::vector<IComponent>& components, bool batch);

    SearchTextBox* m_searchTextBox = nullptr;
    QStackedLayout* m_categoryStack = nullptr;
    QWidget* m_categoryTreeBase = nullptr;
    QWidget* m_categoryNoNetworkBase = nullptr;
    CategoriesTreeView* m_categoriesTreeView = nullptr;
    QPushButton* m_cardModeButton = nullptr;
    QPushButton* m_listModeButton = nullptr;
    QStackedLayout* m_contentStack = nullptr;
    QWidget* m_contentBase = nullptr;
    QWidget* m_componentsNoNetworkBase = nullptr;
    QStackedLayout* m_viewStack = nullptr;
    QWidget* m_listModeBase = nullptr;
    QWidget* m_cardModeBase = nullptr;
    PlazaPublicComponentsTableView* m_tableView = nullptr;
    PlazaPublicComponentsCardListView* m_cardListView = nullptr;
    QFrame* m_detailPanelFrame = nullptr;
    PlazaPublicComponentDetailPanel* m_detailPanel = nullptr;
    Pager* m_pager = nullptr;
    QFrame* m_conditionFiltersFrame = nullptr;
    ConditionFiltersPane* m_conditionFiltersPane = nullptr;
    ConditionValuesPane* m_conditionValuesPane = nullptr;
    PlazaPageEmptyState* m_emptyState = nullptr;
    std::wstring m_keyword;
    std::wstring m_categoryCode;
    int32_t m_pageIndex = 1;
    int32_t m_pageSize = 20;
    SelectionHelper<IComponent> m_checkedComponents{nullptr};
    std::wstring m_rootCategoryCode;
    AddIntoProjectContext m_addIntoProjectContext;
    PlazaPageConditions* m_propertyConditions = nullptr;
    PlazaPageActions* m_actions = nullptr;

    QPushButton* m_batchButton = nullptr;
    QString m_batchButtonText;
};

} // namespace vela
