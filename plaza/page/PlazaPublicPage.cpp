#include "PlazaPublicPage.h"

#include "AppService.h"
#include "BatchWorkflow.h"
#include "DocumentService.h"
#include "IDocument.h"
#include "IProjectManager.h"
#include "KelBulletin.h"
#include "KelMessageDialog.h"
#include "LoadFromPublicIntoDocumentWorkflow.h"
#include "LoadFromPublicIntoDocumentWorkflow4Lumen.h"
#include "LoadMultiFromPublicIntoDocumentWorkflow.h"
#include "OpenPlazaPublicFamilyLoadOptions.h"
#include "PlaceFromPublicIntoDocumentWorkflow.h"
#include "PlazaMainWindow.h"
#include "ProjectCloudComponentService.h"
#include "PublicComponentRepeatCheckDialog.h"
#include "SilentPlazaPublicFamilyLoadOptions.h"
#include "CategoriesTreeView.h"
#include "ConditionFiltersPane.h"
#include "ConditionValuesPane.h"
#include "HostNetworkDetector.h"
#include "IVelaLogger.h"
#include "PlazaPageAnalytics.h"
#include "PropertyService.h"
#include "PublicCategoryService.h"
#include "PublicComponentService.h"
#include "Pager.h"
#include "PlazaPublicComponentDetailPanel.h"
#include "PlazaPublicComponentsCardListModel.h"
#include "PlazaPublicComponentsCardListView.h"
#include "PlazaPublicComponentsCardListItemDelegate.h"
#include "PlazaPublicComponentItemDelegate.h"
#include "PlazaPublicComponentsTableModel.h"
#include "PlazaPublicComponentsTableView.h"
#include "SearchTextBox.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStackedLayout>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace vela {

namespace {

const char* const IgnoreRecordProperty = "VELAShouldIgnoreRecordQWidget";

// Every widget the page names carries the property; the module itself never reads it.
void Mark(QWidget* widget)
{
    widget->setProperty(IgnoreRecordProperty, QVariant(true));
}

const QString NoNetworkTipStyle =
    QStringLiteral("QLabel{font-family:\"Microsoft YaHei\";font-size:12px;color:rgba(120, 122, 131, 255);}");

void RegisterMetaTypes()
{
    static const bool registered = [] {
        qRegisterMetaType<BooleanConditionFilterItem>("vela::BooleanConditionFilterItem");
        qRegisterMetaType<EnumerableConditionFilterItem>("vela::EnumerableConditionFilterItem");
        qRegisterMetaType<RangeBasedConditionFilterItem>("vela::RangeBasedConditionFilterItem");
        qRegisterMetaType<GeneralConditionValueItem>("vela::GeneralConditionValueItem");
        qRegisterMetaType<QItemSelection>("QItemSelection");
        return true;
    }();
    Q_UNUSED(registered);
}

} // namespace

PlazaPublicPage::PlazaPublicPage(QWidget* parent)
    : QWidget(parent)
{
    RegisterMetaTypes();
    InitUI();
}

void PlazaPublicPage::SetAddIntoProjectContext(const AddIntoProjectContext& context)
{
    m_addIntoProjectContext = context;
}

AddIntoProjectContext PlazaPublicPage::GetAddIntoProjectContext() const
{
    return m_addIntoProjectContext;
}

void PlazaPublicPage::InitUI()
{
    QPalette pagePalette = palette();
    pagePalette.setBrush(QPalette::All, QPalette::Window, QBrush(QColor(240, 240, 245, 255), Qt::SolidPattern));
    setPalette(pagePalette);
    setAutoFillBackground(true);

    auto* rootLayout = new QHBoxLayout(this);
    rootLayout->setContentsMargins(0, 0, 0, 0);
    rootLayout->setSpacing(0);
    auto* leftPart = new QHBoxLayout;
    leftPart->setContentsMargins(0, 0, 0, 0);
    leftPart->setSpacing(0);
    rootLayout->addLayout(leftPart);

    // Category column: the tree, or the no-network notice.
    auto* categoryColumn = new QWidget(this);
    categoryColumn->setObjectName(QStringLiteral("PlazaPublicCategoryTreeAndOthersWidget"));
    Mark(categoryColumn);
    categoryColumn->setFixedWidth(177);
    leftPart->addWidget(categoryColumn);
    m_categoryStack = new QStackedLayout(categoryColumn);
    m_categoryStack->setContentsMargins(0, 0, 0, 0);
    m_categoryStack->setSpacing(0);
    m_categoryStack->setStackingMode(QStackedLayout::StackOne);

    m_categoryTreeBase = new QWidget(categoryColumn);
    m_categoryTreeBase->setObjectName(QStringLiteral("PlazaPublicCategoryTreeBaseWidget"));
    Mark(m_categoryTreeBase);
    m_categoryTreeBase->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    auto* treeLayout = new QHBoxLayout(m_categoryTreeBase);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    treeLayout->setSpacing(0);
    m_categoriesTreeView = new CategoriesTreeView(m_categoryTreeBase);
    m_categoriesTreeView->setObjectName(QStringLiteral("PlazaPublicCategoryTreeView"));
    Mark(m_categoriesTreeView);
    m_categoriesTreeView->installEventFilter(this);
    m_categoriesTreeView->SetShowHorizontalScrollBarAsNeeded();
    treeLayout->addWidget(m_categoriesTreeView);
    PlazaPublicPage* page = this;
    connect(
        m_categoriesTreeView, &CategoriesTreeView::CategoryClicked, m_categoriesTreeView,
        [page](ICategory* category) {
            if (!category) {
                return;
            }
            page->m_categoryCode = category->Code;
            page->m_conditions.clear();
            page->Requery();
            page->LoadCategoryProperty(page->m_categoryCode);
        },
        Qt::DirectConnection);
    m_categoryStack->addWidget(m_categoryTreeBase);

    m_categoryNoNetworkBase = new QWidget(categoryColumn);
    m_categoryNoNetworkBase->setObjectName(QStringLiteral("CategoryTreeNoNetworkBaseWidget"));
    Mark(m_categoryNoNetworkBase);
    m_categoryNoNetworkBase->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    auto* treeNoNetworkLayout = new QHBoxLayout(m_categoryNoNetworkBase);
    treeNoNetworkLayout->setContentsMargins(0, 0, 0, 0);
    treeNoNetworkLayout->setSpacing(0);
    auto* guideFrame = new QFrame(m_categoryNoNetworkBase);
    guideFrame->setObjectName(QStringLiteral("PlazaPublicTreeNoNetworkGuideFrame"));
    Mark(guideFrame);
    guideFrame->setStyleSheet(QStringLiteral(
        "QFrame#PlazaPublicTreeNoNetworkGuideFrame{border:none;border-right:1px solid rgb(210,215,220);"
        "background:rgba(255, 255, 255, 255);}"));
    treeNoNetworkLayout->addWidget(guideFrame);
    auto* guideLayout = new QVBoxLayout(guideFrame);
    guideLayout->setContentsMargins(0, 0, 0, 0);
    guideLayout->setSpacing(21);
    guideLayout->setAlignment(Qt::AlignHCenter);
    guideLayout->addStretch(304);
    auto* treeNoNetworkTip = new QLabel(tr("没有网络连接"), guideFrame);
    treeNoNetworkTip->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    treeNoNetworkTip->setObjectName(QStringLiteral("NoNetworkComponentListTipText"));
    Mark(treeNoNetworkTip);
    treeNoNetworkTip->setStyleSheet(NoNetworkTipStyle);
    guideLayout->addWidget(treeNoNetworkTip, 0, Qt::AlignHCenter);
    guideLayout->addStretch(344);
    m_categoryStack->addWidget(m_categoryNoNetworkBase);
    m_categoryStack->setCurrentWidget(m_categoryTreeBase);

    // Main column.
    auto* mainColumn = new QVBoxLayout;
    mainColumn->setContentsMargins(0, 0, 0, 0);
    mainColumn->setSpacing(0);
    leftPart->addLayout(mainColumn);

    // Operation region: batch button, search box, display mode buttons.
    auto* operationFrame = new QFrame(this);
    mainColumn->addWidget(operationFrame);
    operationFrame->setContentsMargins(0, 0, 0, 5);
    operationFrame->setObjectName(QStringLiteral("PlazaPublicMainOperationRegionFrame"));
    Mark(operationFrame);
    operationFrame->setStyleSheet(
        QStringLiteral("QFrame#%1{border:none; border-bottom:none;}").arg(operationFrame->objectName()));
    auto* operationLayout = new QHBoxLayout(operationFrame);
    operationLayout->setContentsMargins(8, 8, 8, 8);
    operationLayout->setSpacing(8);

    auto* batchRow = new QHBoxLayout;
    batchRow->setContentsMargins(0, 0, 0, 0);
    batchRow->setSpacing(0);
    m_batchButtonText = tr("批量载入");
    m_batchButton = new QPushButton(m_batchButtonText, this);
    m_batchButton->setObjectName(QStringLiteral("PlazaPublicBatchLoadButton"));
    Mark(m_batchButton);
    m_batchButton->setFixedHeight(24);
    m_batchButton->setMinimumWidth(96);
    m_batchButton->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    m_batchButton->setCursor(Qt::PointingHandCursor);
    m_batchButton->setEnabled(false);
    m_batchButton->setStyleSheet(QStringLiteral(
        "QPushButton{background-color:rgba(255,255,255,255);font-family:\"Microsoft YaHei\";font-size:12px;"
        "border-top-left-radius:2px;border-top-right-radius:2px;border-bottom-right-radius:2px;"
        "border-bottom-left-radius:2px;color:rgba(82,145,221,255);border-left:1px solid rgba(82,145,221,255);"
        "border-top:1px solid rgba(82,145,221,255);border-right:1px solid rgba(82,145,221,255);"
        "border-bottom:1px solid rgba(82,145,221,255);}"
        "QPushButton:disabled{border-left:1px solid rgba(189,199,213,255);border-top:1px solid rgba(189,199,213,255);"
        "border-right:1px solid rgba(189,199,213,255);border-bottom:1px solid rgba(189,199,213,255);"
        "color:rgba(136,146,160,255);}"));
    connect(m_batchButton, &QPushButton::clicked, m_batchButton, [page] { page->HandleBatchButtonClicked(); },
            Qt::DirectConnection);
    connect(&m_checkedComponents, &SelectionHelperBase::ItemsChanged, &m_checkedComponents,
            [page] { page->UpdateBatchButton(); }, Qt::DirectConnection);
    batchRow->addWidget(m_batchButton);
    operationLayout->addLayout(batchRow);
    operationLayout->addStretch(0);

    m_searchTextBox = new SearchTextBox(tr("输入关键词或短语查找构件"), operationFrame);
    m_searchTextBox->setObjectName(QStringLiteral("SearchLineEdit"));
    Mark(m_searchTextBox);
    m_searchTextBox->installEventFilter(this);
    m_searchTextBox->setFixedWidth(200);
    connect(
        m_searchTextBox, &QLineEdit::textChanged, m_searchTextBox,
        [page](const QString& text) { page->m_keyword = text.toStdWString(); }, Qt::DirectConnection);
    connect(m_searchTextBox, &SearchTextBox::Searched, m_searchTextBox, [page] { page->ResetToRootCategory(); },
            Qt::DirectConnection);
    operationLayout->addWidget(m_searchTextBox);

    auto* modeRow = new QHBoxLayout;
    modeRow->setContentsMargins(0, 0, 0, 0);
    modeRow->setSpacing(0);
    const QString modeButtonStyle = QStringLiteral("QPushButton{border:1px solid #bdc7d5;border-radius:1px;}");
    m_cardModeButton = new QPushButton(operationFrame);
    m_listModeButton = new QPushButton(operationFrame);
    for (QPushButton* button : {m_cardModeButton, m_listModeButton}) {
        button->setFixedSize(24, 24);
        button->setCursor(Qt::PointingHandCursor);
        button->setStyleSheet(modeButtonStyle);
        modeRow->addWidget(button);
    }
    m_cardModeButton->setObjectName(QStringLiteral("SwitchToCardModeButton"));
    m_listModeButton->setObjectName(QStringLiteral("SwitchToListModeButton"));
    Mark(m_cardModeButton);
    Mark(m_listModeButton);
    m_cardModeButton->setIcon(QIcon(QStringLiteral(":/images/cardMode/normal/16x16.png")));
    m_listModeButton->setIcon(QIcon(QStringLiteral(":/images/tableMode/active/16x16.png")));
    connect(m_cardModeButton, &QPushButton::clicked, m_cardModeButton, [page] { page->SwitchToCardMode(); },
            Qt::DirectConnection);
    connect(m_listModeButton, &QPushButton::clicked, m_listModeButton, [page] { page->SwitchToListMode(); },
            Qt::DirectConnection);
    operationLayout->addLayout(modeRow);

    // Property filters row.
    auto* filtersRow = new QHBoxLayout;
    filtersRow->setContentsMargins(0, 0, 0, 0);
    filtersRow->setSpacing(0);
    mainColumn->addLayout(filtersRow);
    m_conditionFiltersFrame = new QFrame(this);
    m_conditionFiltersFrame->setObjectName(QStringLiteral("PropertyConditionFiltersPane"));
    Mark(m_conditionFiltersFrame);
    m_conditionFiltersFrame->setStyleSheet(
        QStringLiteral("QFrame#PropertyConditionFiltersPane{border-top:1px solid rgb(210,215,220);}"));
    filtersRow->addWidget(m_conditionFiltersFrame);
    auto* filtersLayout = new QHBoxLayout(m_conditionFiltersFrame);
    filtersLayout->setContentsMargins(8, 8, 0, 0);
    filtersLayout->setSpacing(8);
    auto* filtersLabel = new QLabel(tr("按属性找:"), m_conditionFiltersFrame);
    filtersLabel->setFixedHeight(24);
    filtersLabel->setAlignment(Qt::AlignVCenter);
    filtersLayout->addWidget(filtersLabel, 0, Qt::AlignTop);
    m_conditionFiltersPane = new ConditionFiltersPane(m_conditionFiltersFrame);
    filtersLayout->addWidget(m_conditionFiltersPane, 0, Qt::AlignTop);
    m_conditionFiltersPane->setObjectName(QStringLiteral("PropertyConditionFiltersPane"));
    Mark(m_conditionFiltersPane);
    m_conditionFiltersPane->setMinimumHeight(32);
    m_conditionFiltersPane->setMaximumHeight(96);
    connect(m_conditionFiltersPane, &ConditionFiltersPane::EnumerableConditionChanged, this,
            &PlazaPublicPage::HandleEnumerableConditionChanged);
    connect(m_conditionFiltersPane, &ConditionFiltersPane::RangeBasedConditionChanged, this,
            &PlazaPublicPage::HandleRangeBasedConditionChanged);
    connect(m_conditionFiltersPane, &ConditionFiltersPane::BooleanConditionChanged, this,
            &PlazaPublicPage::HandleBooleanConditionChanged);

    // List column: condition values and refresh, then the results.
    auto* listColumn = new QVBoxLayout;
    listColumn->setContentsMargins(0, 0, 0, 0);
    listColumn->setSpacing(0);
    mainColumn->addLayout(listColumn);
    auto* subOperationRow = new QHBoxLayout;
    subOperationRow->setContentsMargins(0, 0, 0, 0);
    subOperationRow->setSpacing(0);
    listColumn->addLayout(subOperationRow);
    auto* subOperation = new QWidget(this);
    subOperation->setObjectName(QStringLiteral("SubOperationBaseFrame"));
    Mark(subOperation);
    subOperation->setStyleSheet(QStringLiteral("QWidget#SubOperationBaseFrame{border-top:1px solid rgb(210,215,220);}"));
    subOperationRow->addWidget(subOperation);
    auto* subOperationLayout = new QHBoxLayout(subOperation);
    subOperationLayout->setContentsMargins(0, 0, 0, 0);
    subOperationLayout->setSpacing(0);

    auto* valuesLayout = new QHBoxLayout;
    valuesLayout->setContentsMargins(8, 8, 0, 0);
    valuesLayout->setSpacing(0);
    subOperationLayout->addLayout(valuesLayout);
    subOperationLayout->setAlignment(valuesLayout, Qt::AlignTop);
    m_conditionValuesPane = new ConditionValuesPane(subOperation);
    valuesLayout->addWidget(m_conditionValuesPane, 0, Qt::AlignTop);
    m_conditionValuesPane->setObjectName(QStringLiteral("PropertyConditionValuesPane"));
    Mark(m_conditionValuesPane);
    m_conditionValuesPane->setMinimumHeight(32);
    m_conditionValuesPane->setMaximumHeight(96);
    m_conditionValuesPane->SetClearingText(tr("清空条件"));
    m_conditionValuesPane->SetResultCountPrefix(tr("相关构件"));
    m_conditionValuesPane->SetResultCountPostfix(tr("个"));
    connect(m_conditionValuesPane, &ConditionValuesPane::RemoveConditionValueRequired, this,
            &PlazaPublicPage::HandleRemoveConditionValue);
    connect(m_conditionValuesPane, &ConditionValuesPane::ClearConditionValuesRequired, this,
            &PlazaPublicPage::HandleClearConditionValues);

    auto* refreshLayout = new QHBoxLayout;
    refreshLayout->setContentsMargins(8, 8, 8, 8);
    refreshLayout->setSpacing(8);
    subOperationLayout->addLayout(refreshLayout);
    subOperationLayout->setAlignment(refreshLayout, Qt::AlignRight | Qt::AlignTop);
    auto* refreshButton = new QPushButton(subOperation);
    refreshButton->setObjectName(QStringLiteral("PlazaPublicRefreshButton"));
    Mark(refreshButton);
    refreshButton->setFixedSize(24, 24);
    refreshButton->setStyleSheet(QStringLiteral("QPushButton{border:1px solid #bdc7d5;border-radius:2px;}"));
    refreshButton->setIcon(QIcon(QStringLiteral(":/images/refresh/circleArrow/32x32.png")));
    refreshButton->setCursor(Qt::PointingHandCursor);
    connect(
        refreshButton, &QPushButton::clicked, refreshButton,
        [page] {
            page->m_checkedComponents.Clear();
            page->LoadCategories();
            page->QueryComponents();
        },
        Qt::DirectConnection);
    refreshLayout->addWidget(refreshButton);

    // Results: the two views with the pager, or the no-network notice.
    m_contentStack = new QStackedLayout;
    m_contentStack->setContentsMargins(0, 0, 0, 0);
    m_contentStack->setSpacing(0);
    m_contentStack->setStackingMode(QStackedLayout::StackOne);
    listColumn->addLayout(m_contentStack);

    m_contentBase = new QWidget(this);
    m_contentBase->setObjectName(QStringLiteral("ContentCollectionAndPagerBaseWidget"));
    Mark(m_contentBase);
    auto* contentLayout = new QVBoxLayout(m_contentBase);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->setSpacing(0);
    m_viewStack = new QStackedLayout;
    m_viewStack->setContentsMargins(0, 0, 0, 0);
    m_viewStack->setSpacing(0);
    contentLayout->addLayout(m_viewStack);

    m_listModeBase = new QWidget(m_contentBase);
    auto* listModeLayout = new QVBoxLayout(m_listModeBase);
    listModeLayout->setContentsMargins(0, 0, 0, 0);
    listModeLayout->setSpacing(0);
    m_tableView = new PlazaPublicComponentsTableView(m_listModeBase);
    listModeLayout->addWidget(m_tableView);
    m_viewStack->addWidget(m_listModeBase);
    m_viewStack->setCurrentWidget(m_listModeBase);

    m_cardModeBase = new QWidget(m_contentBase);
    auto* cardModeLayout = new QVBoxLayout(m_cardModeBase);
    cardModeLayout->setContentsMargins(0, 0, 0, 0);
    cardModeLayout->setSpacing(0);
    m_cardListView = new PlazaPublicComponentsCardListView(m_cardModeBase);
    cardModeLayout->addWidget(m_cardListView);
    m_viewStack->addWidget(m_cardModeBase);

    m_pager = new Pager(m_contentBase);
    m_pager->setObjectName(QStringLiteral("PlazaPublicComponentsPager"));
    Mark(m_pager);
    m_pager->setContentsMargins(8, 10, 8, 16);
    m_pager->setFixedHeight(60);
    connect(
        m_pager, &Pager::CurrentPageChanged, m_pager,
        [page](unsigned long long pageIndex) {
            page->m_pageIndex = static_cast<int32_t>(pageIndex);
            page->LoadCategories();
            page->QueryComponents();
        },
        Qt::DirectConnection);
    contentLayout->addWidget(m_pager);
    m_contentStack->addWidget(m_contentBase);

    m_componentsNoNetworkBase = new QWidget(this);
    m_componentsNoNetworkBase->setObjectName(QStringLiteral("ComponentsNoNetworkBaseWidget"));
    Mark(m_componentsNoNetworkBase);
    auto* componentsNoNetworkLayout = new QVBoxLayout(m_componentsNoNetworkBase);
    componentsNoNetworkLayout->setContentsMargins(0, 0, 0, 0);
    componentsNoNetworkLayout->setSpacing(21);
    componentsNoNetworkLayout->setAlignment(Qt::AlignHCenter);
    componentsNoNetworkLayout->addStretch(152);
    auto* offlinePicture = new QLabel(m_componentsNoNetworkBase);
    offlinePicture->setPixmap(QPixmap(QStringLiteral(":/images/offline/400x400.png"))
                                  .scaled(200, 200, Qt::KeepAspectRatio, Qt::FastTransformation));
    offlinePicture->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    componentsNoNetworkLayout->addWidget(offlinePicture, 0, Qt::AlignHCenter);
    componentsNoNetworkLayout->addStretch(32);
    auto* componentsNoNetworkTip = new QLabel(tr("没有网络连接"), m_componentsNoNetworkBase);
    componentsNoNetworkTip->setAlignment(Qt::AlignHCenter);
    componentsNoNetworkTip->setObjectName(QStringLiteral("NoNetworkComponentListTipText"));
    Mark(componentsNoNetworkTip);
    componentsNoNetworkTip->setStyleSheet(NoNetworkTipStyle);
    componentsNoNetworkLayout->addWidget(componentsNoNetworkTip, 0, Qt::AlignHCenter);
    componentsNoNetworkLayout->addStretch(224);
    m_contentStack->addWidget(m_componentsNoNetworkBase);
    m_contentStack->setCurrentWidget(m_contentBase);

    ConnectViews();

    // Detail frame on the right.
    auto* detailLayout = new QHBoxLayout;
    detailLayout->setContentsMargins(0, 0, 0, 0);
    detailLayout->setSpacing(0);
    rootLayout->addLayout(detailLayout);
    m_detailPanelFrame = new QFrame(this);
    m_detailPanelFrame->setObjectName(QStringLiteral("DetailPanelBaseFrame"));
    Mark(m_detailPanelFrame);
    m_detailPanelFrame->setStyleSheet(
        QStringLiteral("QFrame#DetailPanelBaseFrame{border: none;border-left: 1px solid rgba(210,215,220,255);}"));
    m_detailPanelFrame->setFixedWidth(288);
    m_detailPanelFrame->hide();
    detailLayout->addWidget(m_detailPanelFrame);
    auto* detailFrameLayout = new QHBoxLayout(m_detailPanelFrame);
    detailFrameLayout->setContentsMargins(0, 0, 0, 0);
    detailFrameLayout->setSpacing(0);
    m_detailPanel = new PlazaPublicComponentDetailPanel(m_detailPanelFrame);
    m_detailPanel->setObjectName(QStringLiteral("PlazaPublicComponentDetailPanel"));
    Mark(m_detailPanel);
    detailFrameLayout->addWidget(m_detailPanel);
    connect(m_detailPanel, &PlazaPublicComponentDetailPanel::Closed, m_detailPanel,
            [page] { page->m_detailPanelFrame->hide(); }, Qt::DirectConnection);

    connect(HostNetworkDetector::Get(), &HostNetworkDetector::NetworkStateChanged, this,
            &PlazaPublicPage::HandleNetworkStateChanged, Qt::AutoConnection);

    m_cardModeButton->click();
}

void PlazaPublicPage::ConnectViews()
{
    PlazaPublicPage* page = this;

    // Table view first, then the card view.
    PlazaPublicComponentsTableModel* tableModel = m_tableView->Model();
    connect(
        tableModel, &PlazaPublicComponentsTableModel::ComponentCheckStateChanged, tableModel,
        [page](IComponent* component, const bool& checked) {
            page->HandleComponentCheckStateChanged(component, checked, true);
        },
        Qt::DirectConnection);
    connect(
        tableModel, &PlazaPublicComponentsTableModel::TableUpdated, tableModel,
        [page] {
            for (IComponent& item : page->m_checkedComponents.Items()) {
                page->m_tableView->Model()->ChangeCheckState(&item, true);
            }
        },
        Qt::DirectConnection);
    connect(
        &m_checkedComponents, &SelectionHelperBase::ItemsCleared, &m_checkedComponents,
        [page] { page->m_tableView->Model()->ChangeCheckStates(Qt::Unchecked); }, Qt::DirectConnection);
    PlazaPublicComponentItemDelegate* tableDelegate = m_tableView->ItemDelegate();
    connect(
        tableDelegate, &PlazaPublicComponentItemDelegate::AddComponentIntoProjectRequired, tableDelegate,
        [page](IComponent component) { page->AddComponentsIntoProject({component}, false); },
        Qt::DirectConnection);
    connect(tableDelegate, &PlazaPublicComponentItemDelegate::LoadComponentIntoDocumentRequired, this,
            &PlazaPublicPage::HandleLoadComponentIntoDocument);
    connect(tableDelegate, &PlazaPublicComponentItemDelegate::PlaceComponentIntoDocumentRequired, this,
            &PlazaPublicPage::HandlePlaceComponentIntoDocument);
    connect(m_tableView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &PlazaPublicPage::HandleComponentSelectionChanged);

    PlazaPublicComponentsCardListModel* cardModel = m_cardListView->Model();
    connect(
        cardModel, &PlazaPublicComponentsCardListModel::ComponentCheckStateChanged, cardModel,
        [page](IComponent* component, const bool& checked) {
            page->HandleComponentCheckStateChanged(component, checked, false);
        },
        Qt::DirectConnection);
    connect(
        cardModel, &PlazaPublicComponentsCardListModel::ListUpdated, cardModel,
        [page] {
            for (IComponent& item : page->m_checkedComponents.Items()) {
                page->m_cardListView->Model()->ChangeCheckState(&item, true);
            }
        },
        Qt::DirectConnection);
    connect(
        &m_checkedComponents, &SelectionHelperBase::ItemsCleared, &m_checkedComponents,
        [page] { page->m_cardListView->Model()->ChangeCheckStates(Qt::Unchecked); }, Qt::DirectConnection);
    PlazaPublicComponentsCardListItemDelegate* cardDelegate = m_cardListView->ItemDelegate();
    connect(
        cardDelegate, &PlazaPublicComponentsCardListItemDelegate::AddComponentIntoProjectRequired, cardDelegate,
        [page](IComponent component) { page->AddComponentsIntoProject({component}, false); },
        Qt::DirectConnection);
    connect(cardDelegate, &PlazaPublicComponentsCardListItemDelegate::LoadComponentIntoDocumentRequired, this,
            &PlazaPublicPage::HandleLoadComponentIntoDocument);
    connect(cardDelegate, &PlazaPublicComponentsCardListItemDelegate::PlaceComponentIntoDocumentRequired, this,
            &PlazaPublicPage::HandlePlaceComponentIntoDocument);
    connect(m_cardListView->SelectionModel(), &QItemSelectionModel::selectionChanged, this,
            &PlazaPublicPage::HandleComponentSelectionChanged);
}

bool PlazaPublicPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched && event && event->type() == QEvent::KeyPress && watched == m_searchTextBox
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return) {
        ResetToRootCategory();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// Browsing: query state, requests and replies.

namespace {

std::wstring SoftwareCode()
{
    AppService* app = AppService::Get();
    return app ? app->GetSoftwareCode() : std::wstring();
}

std::wstring SoftwareVersion()
{
    AppService* app = AppService::Get();
    return app ? app->GetSoftwareVersion() : std::wstring();
}

std::wstring WideText(const QVariant& value)
{
    return value.toString().toStdWString();
}

// Orders two range bounds: as numbers when both read as numbers, else as text.
int CompareBounds(const QVariant& a, const QVariant& b)
{
    bool aIsNumber = false;
    bool bIsNumber = false;
    const double x = a.toDouble(&aIsNumber);
    const double y = b.toDouble(&bIsNumber);
    if (aIsNumber && bIsNumber) {
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    return QString::compare(a.toString(), b.toString());
}

} // namespace

void PlazaPublicPage::ResetAndLoad()
{
    m_detailPanelFrame->hide();
    m_keyword.clear();
    m_searchTextBox->setText(QString());
    ResetToRootCategory();
}

void PlazaPublicPage::ResetToRootCategory()
{
    m_categoryCode = m_rootCategoryCode;
    m_conditions.clear();
    Requery();
    LoadCategoryProperty(m_categoryCode);
}

void PlazaPublicPage::Requery()
{
    m_checkedComponents.Clear();
    RefreshConditionValues();
    m_pageIndex = 1;
    LoadCategories();
    QueryComponents();
}

std::vector<std::shared_ptr<ConditionFilterOption>> PlazaPublicPage::CurrentConditions() const
{
    std::vector<std::shared_ptr<ConditionFilterOption>> conditions;
    for (const auto& entry : m_conditions) {
        if (entry.second) {
            conditions.push_back(entry.second);
        }
    }
    return conditions;
}

void PlazaPublicPage::LoadCategories()
{
    auto* reply = PublicCategoryService::Get()->GetCategories(SoftwareCode(), SoftwareVersion(), std::wstring(),
                                                              m_keyword, CurrentConditions());
    if (!reply) {
        m_categoriesTreeView->Model()->SetCategories({});
        return;
    }
    PlazaPublicPage* page = this;
    // A reply still on its way when the page goes is deleted with it.
    reply->setParent(this);
    connect(
        reply, &CustomReplyBase::Finished, reply,
        [reply, page] {
            if (!reply->Error().empty()) {
                page->m_categoriesTreeView->Model()->SetCategories({});
                reply->deleteLater();
                return;
            }
            const std::vector<std::shared_ptr<ICategory>> categories = reply->Result();
            reply->deleteLater();
            const auto root = std::find_if(categories.begin(), categories.end(),
                                           [](const std::shared_ptr<ICategory>& c) { return c && c->ParentCode.empty(); });
            if (root != categories.end()) {
                page->m_rootCategoryCode = (*root)->Code;
            }
            const std::wstring selectedCode = page->m_categoryCode;
            const std::vector<std::wstring> expandedCodes = page->m_categoriesTreeView->GetExpandedCategoryCodes();
            CategoriesTreeView* tree = page->m_categoriesTreeView;
            tree->Model()->SetCategories(categories);
            tree->SelectCategory(selectedCode);
            tree->ExpandCategory(page->m_rootCategoryCode);
            tree->ExpandCategories(expandedCodes);
            tree->ExpandToCategory(page->m_categoryCode);
        },
        Qt::DirectConnection);
}

void PlazaPublicPage::ShowComponents(const std::vector<std::shared_ptr<IComponent>>& components, uint64_t total,
                                     uint64_t pageIndex)
{
    m_tableView->Model()->SetComponents(components);
    m_cardListView->Model()->SetComponents(components);
    m_conditionValuesPane->SetResultCount(static_cast<int>(total));
    m_pager->ReShuffle(total, pageIndex);
}

void PlazaPublicPage::QueryComponents()
{
    const std::wstring keyword = m_keyword;
    const std::wstring categoryCode = m_categoryCode;
    const int32_t pageIndex = m_pageIndex;
    auto* reply = PublicComponentService::Get()->GetComponents(SoftwareCode(), SoftwareVersion(), categoryCode,
                                                               keyword, pageIndex, m_pageSize, -1,
                                                               CurrentConditions());
    if (!reply) {
        ShowComponents({}, 0, 1);
        return;
    }
    PlazaPublicPage* page = this;
    reply->setParent(this);
    connect(
        reply, &CustomReplyBase::Finished, reply,
        [reply, page, pageIndex, keyword, categoryCode] {
            if (!reply->Error().empty()) {
                page->ShowComponents({}, 0, 1);
                reply->deleteLater();
                return;
            }
            const ComponentPage result = reply->Result();
            reply->deleteLater();
            if (!result) {
                page->ShowComponents({}, 0, 1);
                return;
            }
            // A negative total from a broken backend shows as no results; the event reports what came.
            const int64_t total = std::max<int64_t>(result->Total, 0);
            page->ShowComponents(result->Data, static_cast<uint64_t>(total), static_cast<uint64_t>(pageIndex));

            QWidget* shown = page->m_viewStack->currentWidget();
            const QString displayType = shown == page->m_cardModeBase   ? QStringLiteral("card_mode")
                                        : shown == page->m_listModeBase ? QStringLiteral("list_mode")
                                                                        : QString();
            PlazaPageAnalytics::TrackQuery(keyword, categoryCode, result->Total, displayType);
        },
        Qt::DirectConnection);
}

// ---------------------------------------------------------------------------
// Property conditions.

void PlazaPublicPage::LoadCategoryProperty(std::wstring categoryCode)
{
    const auto hideFilters = [this] {
        m_conditionFiltersFrame->hide();
        m_categoryProperty.reset();
    };
    const ICategory* category =
        categoryCode.empty() ? nullptr : PublicCategoryService::Get()->GetCategoryByCode(categoryCode);
    if (!category || !category->IsLeaf()) {
        hideFilters();
        return;
    }
    auto* reply = PropertyService::Get()->GetCategoryProperty(SoftwareCode(), SoftwareVersion(), categoryCode, true);
    if (!reply) {
        hideFilters();
        return;
    }
    PlazaPublicPage* page = this;
    reply->setParent(this);
    connect(
        reply, &CustomReplyBase::Finished, reply,
        [reply, page] {
            if (!reply->Error().empty()) {
                reply->deleteLater();
                page->m_conditionFiltersFrame->hide();
                page->m_categoryProperty.reset();
                return;
            }
            page->m_categoryProperty = reply->Result();
            reply->deleteLater();
            if (!page->m_categoryProperty) {
                page->m_conditionFiltersFrame->hide();
                return;
            }
            std::vector<std::shared_ptr<ConditionFilterItemBase>> items;
            for (const auto& entry : page->m_categoryProperty->Properties) {
                const std::shared_ptr<CategoryPropertyDefinition>& definition = entry.second;
                if (!definition) {
                    continue;
                }
                const QString type = QString::fromStdWString(definition->Type);
                const QString name = QString::fromStdWString(definition->Name);
                const QString unit = QString::fromStdWString(definition->Unit);
                const QVariant tag(QString::fromStdWString(definition->Code));
                if (type.compare(QLatin1String("Enum"), Qt::CaseInsensitive) == 0) {
                    auto item = std::make_shared<EnumerableConditionFilterItem>();
                    item->SetName(name);
                    item->SetSelectValuePrompt(tr("请选择"));
                    item->SetUnit(unit);
                    for (const auto& value : definition->Values) {
                        item->AddEnumerableValue(QVariant(QString::fromStdWString(value.first)),
                                                 QVariant(QString::fromStdWString(value.second)));
                    }
                    item->Tag = tag;
                    items.push_back(item);
                } else if (type.compare(QLatin1String("Number"), Qt::CaseInsensitive) == 0
                           || type.compare(QLatin1String("Int"), Qt::CaseInsensitive) == 0) {
                    auto item = std::make_shared<RangeBasedConditionFilterItem>();
                    item->SetName(name);
                    item->SetInputFromValuePrompt(tr("最小值"));
                    item->SetInputToValuePrompt(tr("最大值"));
                    item->SetUnit(unit);
                    item->Tag = tag;
                    items.push_back(item);
                } else if (type.compare(QLatin1String("Logic"), Qt::CaseInsensitive) == 0) {
                    auto item = std::make_shared<BooleanConditionFilterItem>();
                    item->SetName(name);
                    item->SetSelectValuePrompt(tr("请选择"));
                    item->SetUnit(unit);
                    item->SetTrueDisplayValue(tr("是"));
                    item->SetFalseDisplayValue(tr("否"));
                    item->Tag = tag;
                    items.push_back(item);
                }
            }
            if (!items.empty()) {
                page->m_conditionFiltersPane->SetConditionFilters(items);
                page->m_conditionFiltersPane->AdjustHeightToContent();
            }
            page->m_conditionFiltersFrame->setVisible(!items.empty());
        },
        Qt::DirectConnection);
}

std::shared_ptr<CategoryPropertyDefinition> PlazaPublicPage::PropertyDefinition(const QString& name) const
{
    if (!m_categoryProperty) {
        return nullptr;
    }
    const auto found = m_categoryProperty->Properties.find(name.toStdWString());
    return found == m_categoryProperty->Properties.end() ? nullptr : found->second;
}

namespace {

void Trace(const QString& text)
{
    if (IVelaLogger* logger = IVelaLogger::Get()) {
        VelaLogObject line(text);
        logger->Trace(line);
    }
}

} // namespace

void PlazaPublicPage::HandleEnumerableConditionChanged(EnumerableConditionFilterItem condition, QVariant newValue)
{
    Trace(QStringLiteral("enum condition changed.") + QStringLiteral(" code:") + condition.Tag.toString()
          + QStringLiteral(", ") + QStringLiteral("value:") + newValue.toString());
    ApplyEqualityCondition(condition.Tag, condition.GetName(), newValue, newValue.toString(),
                           ConditionFilterOption::Enumeration);
}

void PlazaPublicPage::HandleBooleanConditionChanged(BooleanConditionFilterItem condition, QVariant newValue)
{
    const QString valueText = QString::number(newValue.toBool());
    Trace(QStringLiteral("bool condition changed.") + QStringLiteral(" code:") + condition.Tag.toString()
          + QStringLiteral(", ") + QStringLiteral("value:") + valueText);
    ApplyEqualityCondition(condition.Tag, condition.GetName(), newValue, valueText,
                           ConditionFilterOption::IntegerOrBoolean);
}

void PlazaPublicPage::ApplyEqualityCondition(const QVariant& tag, const QString& propertyName,
                                             const QVariant& newValue, const QString& valueText, int32_t valueType)
{
    const std::wstring key = WideText(tag);
    if (key.empty()) {
        return;
    }
    const std::wstring value = valueText.toStdWString();
    const auto found = m_conditions.find(key);
    if (found == m_conditions.end()) {
        if (newValue.isNull()) {
            return;
        }
        const std::shared_ptr<CategoryPropertyDefinition> definition = PropertyDefinition(propertyName);
        if (!definition) {
            return;
        }
        auto option = std::make_shared<ConditionFilterOption>();
        option->SetName(definition->Name);
        option->SetCode(definition->Code);
        option->Operator = ConditionFilterOption::Equal;
        option->ValueType = valueType;
        option->SetValue(value);
        m_conditions[key] = option;
        Requery();
        return;
    }
    if (newValue.isNull()) {
        m_conditions.erase(found);
        Requery();
        return;
    }
    if (!found->second || value != found->second->Value()) {
        if (found->second) {
            found->second->SetValue(value);
        }
        Requery();
    }
}

void PlazaPublicPage::HandleRangeBasedConditionChanged(RangeBasedConditionFilterItem condition, QVariant minValue,
                                                       QVariant maxValue)
{
    Trace(QStringLiteral("range condition changed.") + QStringLiteral(" code:") + condition.Tag.toString()
          + QStringLiteral(", ") + QStringLiteral("minValue:") + minValue.toString() + QStringLiteral(", maxValue:")
          + maxValue.toString());
    const std::wstring key = WideText(condition.Tag);
    if (key.empty()) {
        return;
    }
    const bool hasMin = !minValue.isNull();
    const bool hasMax = !maxValue.isNull();
    const int order = hasMin && hasMax ? CompareBounds(minValue, maxValue) : 0;
    const std::wstring minText = WideText(minValue);
    const std::wstring maxText = WideText(maxValue);
    const auto found = m_conditions.find(key);

    if (found == m_conditions.end()) {
        if (!hasMin && !hasMax) {
            return;
        }
        const std::shared_ptr<CategoryPropertyDefinition> definition = PropertyDefinition(condition.GetName());
        if (!definition) {
            return;
        }
        int32_t valueType = 0;
        if (definition->Type == L"Int") {
            valueType = 1;
        } else if (definition->Type == L"Number") {
            valueType = 2;
        } else {
            return;
        }
        auto option = std::make_shared<ConditionFilterOption>();
        option->SetName(definition->Name);
        option->SetCode(definition->Code);
        option->ValueType = valueType;
        if (hasMin && hasMax) {
            if (order == 0) {
                option->Operator = 1;
                option->SetValue(minText);
            } else if (order < 0) {
                option->Operator = 9;
                option->SetFromValue(minText);
                option->SetToValue(maxText);
            } else {
                return;
            }
        } else if (hasMax) {
            option->Operator = 7;
            option->SetValue(maxText);
        } else {
            option->Operator = 5;
            option->SetValue(minText);
        }
        m_conditions[key] = option;
        Requery();
        return;
    }

    const std::shared_ptr<ConditionFilterOption> option = found->second;
    if (!option || (!hasMin && !hasMax) || (hasMin && hasMax && order > 0)) {
        m_conditions.erase(found);
    } else if (hasMin && hasMax && order == 0) {
        option->Operator = 1;
        option->SetValue(minText);
        option->SetFromValue(std::wstring());
        option->SetToValue(std::wstring());
    } else if (hasMin && hasMax) {
        option->Operator = 9;
        option->SetValue(std::wstring());
        option->SetFromValue(minText);
        option->SetToValue(maxText);
    } else if (hasMax) {
        option->Operator = 7;
        option->SetValue(maxText);
        option->SetFromValue(std::wstring());
        option->SetToValue(std::wstring());
    } else {
        option->Operator = 5;
        option->SetValue(minText);
        option->SetFromValue(std::wstring());
        option->SetToValue(std::wstring());
    }
    Requery();
}

void PlazaPublicPage::RefreshConditionValues()
{
    std::vector<std::shared_ptr<ConditionValueItemBase>> items;
    if (!m_keyword.empty()) {
        auto item = std::make_shared<GeneralConditionValueItem>();
        item->Tag = QVariant(QStringLiteral("Keyword"));
        item->SetDisplayName(tr("关键词"));
        item->SetDisplayValue(QString::fromStdWString(m_keyword));
        items.push_back(item);
    }
    if (m_categoryCode != m_rootCategoryCode) {
        auto item = std::make_shared<GeneralConditionValueItem>();
        item->Tag = QVariant(QStringLiteral("Category"));
        item->SetDisplayName(tr("分类"));
        if (const ICategory* category = PublicCategoryService::Get()->GetCategoryByCode(m_categoryCode)) {
            item->SetDisplayValue(QString::fromStdWString(category->Name));
        }
        items.push_back(item);
    }
    if (m_categoryProperty) {
        std::vector<std::shared_ptr<ConditionFilterOption>> options = CurrentConditions();
        std::stable_sort(options.begin(), options.end(),
                         [](const auto& a, const auto& b) { return a->Name() < b->Name(); });
        for (const std::shared_ptr<ConditionFilterOption>& option : options) {
            const std::shared_ptr<CategoryPropertyDefinition> definition =
                PropertyDefinition(QString::fromStdWString(option->Name()));
            if (!definition) {
                continue;
            }
            const QString type = QString::fromStdWString(definition->Type);
            const QString value = QString::fromStdWString(option->Value());
            QString display;
            switch (option->Operator) {
            case 1:
                if (type.compare(QLatin1String("Enum"), Qt::CaseInsensitive) == 0) {
                    const auto text = definition->Values.find(option->Value());
                    display = text == definition->Values.end() ? QString() : QString::fromStdWString(text->second);
                } else if (type.compare(QLatin1String("Logic"), Qt::CaseInsensitive) == 0) {
                    const auto is = [&value](const QString& text) {
                        return value.compare(text, Qt::CaseInsensitive) == 0;
                    };
                    if (is(QStringLiteral("true")) || is(QStringLiteral("1")) || is(QStringLiteral("是"))) {
                        display = tr("是");
                    } else if (is(QStringLiteral("false")) || is(QStringLiteral("0")) || is(QStringLiteral("否"))) {
                        display = tr("否");
                    }
                } else {
                    display = value;
                }
                break;
            case 4: display = QStringLiteral("＞") + value; break;
            case 5: display = QStringLiteral("≥") + value; break;
            case 6: display = QStringLiteral("＜") + value; break;
            case 7: display = QStringLiteral("≤") + value; break;
            case 8:
            case 9:
                display = QString::fromStdWString(option->FromValue()) + QStringLiteral("~")
                          + QString::fromStdWString(option->ToValue());
                break;
            default: break;
            }
            if (!definition->Unit.empty()) {
                display += QString::fromStdWString(definition->Unit);
            }
            auto item = std::make_shared<GeneralConditionValueItem>();
            item->Tag = QVariant(QString::fromStdWString(option->Code()));
            item->SetDisplayName(QString::fromStdWString(option->Name()));
            item->SetDisplayValue(display);
            items.push_back(item);
        }
    }
    m_conditionValuesPane->SetConditionValues(items);
    m_conditionValuesPane->AdjustHeightToContent();
}

void PlazaPublicPage::HandleRemoveConditionValue(GeneralConditionValueItem conditionValue)
{
    const QString tag = conditionValue.Tag.toString();
    if (tag.compare(QLatin1String("Keyword"), Qt::CaseInsensitive) == 0) {
        m_keyword.clear();
        m_searchTextBox->setText(QString());
        ResetToRootCategory();
    } else if (tag.compare(QLatin1String("Category"), Qt::CaseInsensitive) == 0) {
        ResetToRootCategory();
    } else if (m_conditions.count(tag.toStdWString()) > 0) {
        m_conditionFiltersPane->ResumeConditionFilter(QVariant(tag));
    }
}

void PlazaPublicPage::HandleClearConditionValues()
{
    m_keyword.clear();
    m_searchTextBox->setText(QString());
    m_categoryCode = m_rootCategoryCode;
    m_conditions.clear();
    RefreshConditionValues();
    m_checkedComponents.Clear();
    m_pageIndex = 1;
    LoadCategories();
    QueryComponents();
    LoadCategoryProperty(m_categoryCode);
}

// ---------------------------------------------------------------------------
// Display modes, checks, details and network state.

void PlazaPublicPage::SwitchToCardMode()
{
    m_cardModeButton->setIcon(QIcon(QStringLiteral(":/images/cardMode/active/16x16.png")));
    m_listModeButton->setIcon(QIcon(QStringLiteral(":/images/tableMode/normal/16x16.png")));
    m_viewStack->setCurrentWidget(m_cardModeBase);
}

void PlazaPublicPage::SwitchToListMode()
{
    m_cardModeButton->setIcon(QIcon(QStringLiteral(":/images/cardMode/normal/16x16.png")));
    m_listModeButton->setIcon(QIcon(QStringLiteral(":/images/tableMode/active/16x16.png")));
    m_viewStack->setCurrentWidget(m_listModeBase);
}

void PlazaPublicPage::HandleComponentCheckStateChanged(IComponent* component, bool checked, bool fromTable)
{
    if (!component) {
        return;
    }
    if (checked) {
        m_checkedComponents.Add(component->Id, *component);
    } else {
        m_checkedComponents.Remove(component->Id);
    }
    if (fromTable) {
        m_cardListView->Model()->ChangeCheckState(component, checked);
    } else {
        m_tableView->Model()->ChangeCheckState(component, checked);
    }
}

void PlazaPublicPage::UpdateBatchButton()
{
    const int count = m_checkedComponents.Count();
    QString text = m_batchButtonText;
    if (count != 0) {
        text += QStringLiteral(" (%1)").arg(count);
    }
    m_batchButton->setText(text);
    m_batchButton->setEnabled(count != 0);
}

void PlazaPublicPage::HandleComponentSelectionChanged(QItemSelection selected, QItemSelection /*deselected*/)
{
    m_detailPanel->SetDetailedComponent(nullptr);
    const QModelIndexList indexes = selected.indexes();
    const IComponent* component =
        indexes.isEmpty() ? nullptr : static_cast<const IComponent*>(indexes.first().internalPointer());
    if (!component) {
        m_detailPanelFrame->hide();
        return;
    }
    m_detailPanelFrame->show();
    auto* reply = PublicComponentService::Get()->GetDetailedComponent(SoftwareCode(), SoftwareVersion(), component->Id);
    if (!reply) {
        m_detailPanelFrame->hide();
        return;
    }
    PlazaPublicPage* page = this;
    reply->setParent(this);
    connect(
        reply, &CustomReplyBase::Finished, reply,
        [reply, page] {
            if (!reply->Error().empty()) {
                page->m_detailPanelFrame->hide();
                reply->deleteLater();
                return;
            }
            const std::shared_ptr<IDetailedPublicComponent> detail = reply->Result();
            reply->deleteLater();
            if (!detail) {
                page->m_detailPanelFrame->hide();
                return;
            }
            page->m_detailPanel->SetDetailedComponent(detail);
            page->m_detailPanelFrame->show();
            PlazaPageAnalytics::TrackDetailVisit(*detail);
        },
        Qt::DirectConnection);
}

void PlazaPublicPage::HandleNetworkStateChanged(int newState)
{
    if (newState == HostNetworkDetector::Offline) {
        m_detailPanelFrame->hide();
        m_contentStack->setCurrentWidget(m_componentsNoNetworkBase);
        m_categoryStack->setCurrentWidget(m_categoryNoNetworkBase);
        m_checkedComponents.Clear();
        m_conditionValuesPane->SetResultCount(0);
        return;
    }
    QTimer::singleShot(500, this, [this] {
        LoadCategories();
        QueryComponents();
        m_contentStack->setCurrentWidget(m_contentBase);
        m_categoryStack->setCurrentWidget(m_categoryTreeBase);
    });
}

// ---------------------------------------------------------------------------
// Single load and place.

namespace {

enum class SingleAction
{
    Load,
    LumenLoad,
    Place,
};

// A kept bulletin saying that work has started.
KelBulletin* ShowBusyBulletin(const QString& message)
{
    KelBulletin* bulletin = KelBulletin::Create(nullptr);
    if (bulletin) {
        bulletin->ConfigIcon(4)->ConfigMessage(message);
        bulletin->show();
    }
    return bulletin;
}

// A batch's failure text with, under it, which components failed and why. The
// workflow is still alive while it emits Finished, so its list can be read there.
QString WithFailures(const QString& text, const std::vector<WorkflowFailure>& failures)
{
    if (failures.empty()) {
        return text;
    }
    return text + QStringLiteral("\n\n") + QString::fromStdWString(WorkflowFailure::ListText(failures));
}

void CloseBulletin(const QPointer<KelBulletin>& bulletin)
{
    if (bulletin) {
        bulletin->close();
    }
}

void RunSingleAction(const IComponent& component, SingleAction action)
{
    if (component.Id.empty()) {
        KelBulletin::SingleShot(PlazaPublicPage::tr("公共构件Id为空"), 3, 3000, nullptr);
        return;
    }
    tarn::IDocument* document = DocumentService::Get()->GetCurrentDocument();
    if (!document && action != SingleAction::LumenLoad) {
        KelBulletin::SingleShot(PlazaPublicPage::tr("没有打开的文档"), 3, 3000, nullptr);
        return;
    }
    const tarn::RuntimeId documentId =
        action == SingleAction::LumenLoad ? tarn::RuntimeId::InvalidID : document->GetRuntimeId();
    const std::wstring documentName = document ? document->GetName() : std::wstring();
    const std::wstring version = SoftwareVersion();
    const QPointer<KelBulletin> bulletin = ShowBusyBulletin(PlazaPublicPage::tr("正在准备，请稍候..."));

    WorkflowBase* workflow = nullptr;
    switch (action) {
    case SingleAction::Load:
        workflow = LoadFromPublicIntoDocumentWorkflow::Create(
            PublicComponentWorkflowArgument(component, version, documentId,
                                            std::make_shared<OpenPlazaPublicFamilyLoadOptions>()),
            nullptr);
        break;
    case SingleAction::LumenLoad:
        workflow = LoadFromPublicIntoDocumentWorkflow4Lumen::Create(
            PublicComponentWorkflowArgument(component, version, documentId, nullptr), nullptr);
        break;
    case SingleAction::Place:
        workflow = PlaceFromPublicIntoDocumentWorkflow::Create(
            PublicComponentWorkflowArgument(component, version, documentId,
                                            std::make_shared<OpenPlazaPublicFamilyLoadOptions>()),
            nullptr);
        break;
    }
    if (!workflow) {
        CloseBulletin(bulletin);
        return;
    }
    const bool place = action == SingleAction::Place;
    QObject::connect(
        workflow, &WorkflowBase::Finished, workflow,
        [component, documentName, bulletin, place](bool success, const std::wstring&) {
            if (!success) {
                return;
            }
            CloseBulletin(bulletin);
            if (place) {
                PlazaPageAnalytics::TrackPlace(component, documentName);
            } else {
                KelBulletin::SingleShot(PlazaPublicPage::tr("载入成功"), 5, 2000, nullptr);
                PlazaPageAnalytics::TrackLoad({component}, documentName, false);
            }
        },
        Qt::DirectConnection);
    QObject::connect(
        workflow, &WorkflowBase::Finished, workflow,
        [bulletin, place](bool success, const std::wstring& message) {
            if (success) {
                return;
            }
            CloseBulletin(bulletin);
            if (message == L"操作取消") {
                return;
            }
            KelBulletin::SingleShot(place ? PlazaPublicPage::tr("布置失败") : PlazaPublicPage::tr("载入失败"), 3,
                                    1000, nullptr);
        },
        Qt::DirectConnection);
    QObject::connect(
        workflow, &WorkflowBase::Report, workflow,
        [bulletin, place](const std::wstring& message) {
            if (place && message == L"即将触发命令") {
                if (PlazaMainWindow* window = PlazaMainWindow::Get()) {
                    window->accept();
                }
                return;
            }
            if (bulletin) {
                bulletin->ConfigIcon(4)->ConfigMessage(QString::fromStdWString(message));
            }
        },
        Qt::DirectConnection);
    workflow->Proceed(true);
}

} // namespace

void PlazaPublicPage::HandleLoadComponentIntoDocument(IComponent component)
{
    AppService* app = AppService::Get();
    if (app && app->IsLumen()) {
        HandleLoadComponentIntoDocument4Lumen(component);
        return;
    }
    RunSingleAction(component, SingleAction::Load);
}

void PlazaPublicPage::HandleLoadComponentIntoDocument4Lumen(IComponent component)
{
    RunSingleAction(component, SingleAction::LumenLoad);
}

void PlazaPublicPage::HandlePlaceComponentIntoDocument(IComponent component)
{
    RunSingleAction(component, SingleAction::Place);
}

// ---------------------------------------------------------------------------
// Batch load and add into the collaboration project.

void PlazaPublicPage::HandleBatchButtonClicked()
{
    AppService* app = AppService::Get();
    if (app && app->IsRivo()) {
        AddComponentsIntoProject(m_checkedComponents.Items(), true);
        return;
    }
    BatchLoad();
}

void PlazaPublicPage::BatchLoad()
{
    AppService* app = AppService::Get();
    const bool lumen = app && app->IsLumen();
    const bool multi = !lumen && app && app->IsSorn();
    PlazaMainWindow* window = PlazaMainWindow::Get();
    const auto hideMask = [window, multi] {
        if (multi && window) {
            window->HidMask();
        }
    };
    if (multi && window) {
        window->ShowMask();
    }

    const std::vector<IComponent> components = m_checkedComponents.Items();
    if (components.empty()) {
        KelBulletin::SingleShot(tr("未选中任何可载入构件"), 1, 3000, nullptr);
        hideMask();
        return;
    }
    tarn::IDocument* document = DocumentService::Get()->GetCurrentDocument();
    if (!document && !lumen) {
        KelBulletin::SingleShot(tr("没有打开的文档"), 3, 3000, nullptr);
        hideMask();
        return;
    }
    const std::wstring documentName = document ? document->GetName() : std::wstring();
    const std::wstring version = SoftwareVersion();
    const bool standard = !lumen && !multi;
    std::vector<PublicComponentWorkflowArgument> arguments;
    for (const IComponent& component : components) {
        if (standard) {
            arguments.emplace_back(component, version, document->GetRuntimeId(),
                                   std::make_shared<SilentPlazaPublicFamilyLoadOptions>(1));
        } else {
            arguments.emplace_back(component, version, tarn::RuntimeId::InvalidID, nullptr);
        }
    }

    const QPointer<KelBulletin> bulletin = ShowBusyBulletin(tr("正在准备，请稍候..."));
    if (multi && !bulletin) {
        hideMask();
        return;
    }
    // Workflows outlive the page when the host shuts down in the middle of a batch.
    const QPointer<PlazaPublicPage> page = this;
    const auto clearChecks = [page] {
        if (page) {
            page->m_checkedComponents.Clear();
        }
    };

    if (multi) {
        LoadMultiFromPublicIntoDocumentWorkflow* workflow =
            LoadMultiFromPublicIntoDocumentWorkflow::Create(arguments, nullptr);
        connect(
            workflow, &WorkflowBase::Finished, workflow,
            [clearChecks, bulletin, components, documentName](bool success, const std::wstring&) {
                if (!success) {
                    return;
                }
                clearChecks();
                CloseBulletin(bulletin);
                if (PlazaMainWindow* mainWindow = PlazaMainWindow::Get()) {
                    mainWindow->Display(1500);
                    mainWindow->HidMask();
                }
                PlazaPageAnalytics::TrackLoad(components, documentName, true);
            },
            Qt::DirectConnection);
        connect(
            workflow, &WorkflowBase::Finished, workflow,
            [clearChecks, bulletin, workflow](bool success, const std::wstring& message) {
                if (success) {
                    return;
                }
                clearChecks();
                CloseBulletin(bulletin);
                if (!message.empty()) {
                    const QString text = WithFailures(QString::fromStdWString(message), workflow->Failures());
                    KelMessageDialog::Get(nullptr)->ConfigDialogSize(280, -1)->Show(text, 2, 1);
                }
                if (PlazaMainWindow* mainWindow = PlazaMainWindow::Get()) {
                    mainWindow->Display(1500);
                    mainWindow->HidMask();
                }
            },
            Qt::DirectConnection);
        connect(
            workflow, &WorkflowBase::Progress, workflow,
            [bulletin](float done, float total) {
                if (bulletin) {
                    bulletin->ConfigIcon(0)->ConfigMessage(tr("正在下载"))->ConfigProgress(static_cast<int>(done),
                                                                                          static_cast<int>(total));
                }
            },
            Qt::DirectConnection);
        connect(
            workflow, &WorkflowBase::Report, workflow,
            [bulletin](const std::wstring& message) {
                if (message == L"即将触发批量载入命令") {
                    if (PlazaMainWindow* mainWindow = PlazaMainWindow::Get()) {
                        mainWindow->hide();
                    }
                    return;
                }
                if (bulletin) {
                    bulletin->ConfigIcon(4)->ConfigMessage(QString::fromStdWString(message))->ConfigProgress(0, 0);
                }
            },
            Qt::DirectConnection);
        workflow->Proceed(true);
        return;
    }

    BatchWorkflowBase* workflow = nullptr;
    if (lumen) {
        workflow = new BatchWorkflow<LoadFromPublicIntoDocumentWorkflow4Lumen, PublicComponentWorkflowArgument>(
            arguments, nullptr);
    } else {
        workflow =
            new BatchWorkflow<LoadFromPublicIntoDocumentWorkflow, PublicComponentWorkflowArgument>(arguments, nullptr);
    }
    connect(workflow, &BatchWorkflowBase::Phased, workflow, [](int, bool, const std::wstring&) {},
            Qt::DirectConnection);
    connect(
        workflow, &WorkflowBase::Finished, workflow,
        [clearChecks, bulletin, components, documentName](bool success, const std::wstring&) {
            if (!success) {
                return;
            }
            clearChecks();
            CloseBulletin(bulletin);
            KelBulletin::SingleShot(tr("批量载入成功"), 5, 1000, nullptr);
            PlazaPageAnalytics::TrackLoad(components, documentName, true);
        },
        Qt::DirectConnection);
    connect(
        workflow, &WorkflowBase::Finished, workflow,
        [clearChecks, bulletin, workflow](bool success, const std::wstring& message) {
            if (success) {
                return;
            }
            clearChecks();
            CloseBulletin(bulletin);
            QString text = QString::fromStdWString(message);
            if (message == L"全部失败") {
                text = tr("载入失败，请检查网络后重试");
            } else if (message == L"部分失败") {
                text = tr("部分构件载入失败，请检查网络后重试");
            }
            KelMessageDialog::Get(nullptr)->ConfigDialogSize(280, -1)->Show(WithFailures(text, workflow->Failures()), 2,
                                                                             1);
        },
        Qt::DirectConnection);
    connect(
        workflow, &WorkflowBase::Progress, workflow,
        [bulletin](float done, float total) {
            if (bulletin) {
                bulletin->ConfigIcon(0)->ConfigMessage(tr("正在载入"))->ConfigProgress(static_cast<int>(done),
                                                                                      static_cast<int>(total));
            }
        },
        Qt::DirectConnection);
    workflow->Proceed(true);
}

void PlazaPublicPage::AddComponentsIntoProject(const std::vector<IComponent>& components, bool batch)
{
    std::vector<std::wstring> ids;
    for (const IComponent& component : components) {
        ids.push_back(component.Id);
    }
    if (ids.empty()) {
        KelBulletin::SingleShot(tr("没有任何可载入的构件"), 1, 3000, nullptr);
        return;
    }
    const std::wstring projectId = m_addIntoProjectContext.ProjectId();
    if (projectId.empty()) {
        KelBulletin::SingleShot(tr("协同项目id为空"), 3, 3000, nullptr);
        return;
    }
    auto* reply = ProjectCloudComponentService::Get()->CheckPublicComponentRespeats(projectId, ids);
    if (!reply) {
        KelBulletin::SingleShot(tr("检查是否重复载入失败"), 3, 3000, nullptr);
        return;
    }
    // The repeat check runs a modal loop, during which the window may be destroyed.
    const QPointer<PlazaPublicPage> page(this);
    reply->setParent(this);
    connect(
        reply, &CustomReplyBase::Finished, reply,
        [reply, page, components, batch] {
            if (!reply->Error().empty()) {
                reply->deleteLater();
                KelBulletin::SingleShot(tr("检查是否重复载入失败"), 3, 3000, nullptr);
                return;
            }
            const RepeatCheckList checks = reply->Result();
            reply->deleteLater();
            const int repeated = static_cast<int>(std::count_if(
                checks.begin(), checks.end(), [](const auto& check) { return check && check->IsExistedInProject(); }));
            if (repeated == 0) {
                page->SendAddComponents(components, batch);
                return;
            }
            PublicComponentRepeatCheckDialog* dialog = PublicComponentRepeatCheckDialog::Instance(page);
            if (!dialog) {
                return;
            }
            const int choice = dialog->Exec(repeated);
            if (!page) {
                return;
            }
            switch (static_cast<RepeatCheckChoice>(choice)) {
            case RepeatCheckChoice::Cancel:
                page->m_checkedComponents.Clear();
                break;
            case RepeatCheckChoice::SkipRepeated: {
                std::vector<IComponent> fresh;
                for (const IComponent& component : components) {
                    const bool isFresh = std::any_of(checks.begin(), checks.end(), [&component](const auto& check) {
                        return check && check->PublicComponentId() == component.Id && !check->IsExistedInProject();
                    });
                    if (isFresh) {
                        fresh.push_back(component);
                    }
                }
                page->SendAddComponents(fresh, batch);
                break;
            }
            case RepeatCheckChoice::AddAll:
                page->SendAddComponents(components, batch);
                break;
            default:
                break;
            }
        },
        Qt::DirectConnection);
}

void PlazaPublicPage::SendAddComponents(const std::vector<IComponent>& components, bool batch)
{
    std::vector<std::wstring> ids;
    for (const IComponent& component : components) {
        ids.push_back(component.Id);
    }
    if (ids.empty()) {
        KelBulletin::SingleShot(tr("没有任何可载入的构件"), 1, 3000, nullptr);
        m_checkedComponents.Clear();
        return;
    }
    const std::wstring projectId = m_addIntoProjectContext.ProjectId();
    if (projectId.empty()) {
        KelBulletin::SingleShot(tr("协同项目id为空"), 3, 3000, nullptr);
        return;
    }
    const QPointer<KelBulletin> bulletin = ShowBusyBulletin(tr("正在载入，请稍候..."));
    const auto fail = [](const QPointer<KelBulletin>& kept) {
        if (kept) {
            kept->ConfigIcon(3)->ConfigMessage(tr("载入失败"));
            kept->CloseLater(1000);
        }
    };
    auto* reply = ProjectCloudComponentService::Get()->AddComponentFromPublic(projectId, ids);
    if (!reply) {
        fail(bulletin);
        return;
    }
    const QPointer<PlazaPublicPage> page(this);
    reply->setParent(this);
    connect(
        reply, &CustomReplyBase::Finished, reply,
        [reply, page, bulletin, fail, components, projectId, batch] {
            reply->deleteLater();
            if (!page) {
                CloseBulletin(bulletin);
                return;
            }
            const ProjectComponentList added = reply->Error().empty() ? reply->Result() : ProjectComponentList();
            if (added.empty()) {
                fail(bulletin);
                return;
            }
            for (const std::shared_ptr<IProjectComponent>& component : added) {
                page->m_addIntoProjectContext.Add(component);
            }
            page->m_checkedComponents.Clear();
            CloseBulletin(bulletin);
            KelBulletin::SingleShot(tr("载入成功"), 5, 2000, nullptr);
            PlazaPageAnalytics::TrackAddIntoProject(
                components, projectId, IProjectManager::Get()->TryGetCurrentProjectNameById(projectId), batch);
        },
        Qt::DirectConnection);
}

} // namespace vela
