#include "PlazaPublicPage.h"

#include "CategoriesTreeView.h"
#include "ConditionFiltersPane.h"
#include "ConditionValuesPane.h"
#include "HostNetworkDetector.h"
#include "Pager.h"
#include "PlazaPageActions.h"
#include "PlazaPageAnalytics.h"
#include "PlazaPageConditions.h"
#include "PlazaPageEmptyState.h"
#include "PlazaPageSupport.h"
#include "PlazaPublicComponentDetailPanel.h"
#include "PlazaPublicComponentItemDelegate.h"
#include "PlazaPublicComponentsCardListItemDelegate.h"
#include "PlazaPublicComponentsCardListModel.h"
#include "PlazaPublicComponentsCardListView.h"
#include "PlazaPublicComponentsTableModel.h"
#include "PlazaPublicComponentsTableView.h"
#include "PublicCategoryService.h"
#include "PublicComponentService.h"
#include "SearchTextBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFrame>
#include <QGridLayout>
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

// Icon-only buttons say what they do to the mouse (tooltip) and to screen readers.
void Describe(QAbstractButton* button, const QString& text)
{
    button->setToolTip(text);
    button->setAccessibleName(text);
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
    m_actions = new PlazaPageActions(m_checkedComponents, m_addIntoProjectContext, this);
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
            page->m_propertyConditions->Clear();
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
    Describe(m_cardModeButton, tr("卡片模式"));
    Describe(m_listModeButton, tr("列表模式"));
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
    m_propertyConditions =
        new PlazaPageConditions(m_conditionFiltersFrame, m_conditionFiltersPane, m_conditionValuesPane, this);
    connect(m_propertyConditions, &PlazaPageConditions::ConditionsChanged, m_propertyConditions,
            [page] { page->Requery(); }, Qt::DirectConnection);

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
    Describe(refreshButton, tr("刷新"));
    connect(refreshButton, &QPushButton::clicked, refreshButton, [page] { page->Refresh(); }, Qt::DirectConnection);
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
    // The views and, centred over them in the same cell, what explains an empty result.
    auto* viewArea = new QGridLayout;
    viewArea->setContentsMargins(0, 0, 0, 0);
    viewArea->setSpacing(0);
    contentLayout->addLayout(viewArea);
    m_viewStack = new QStackedLayout;
    m_viewStack->setContentsMargins(0, 0, 0, 0);
    m_viewStack->setSpacing(0);
    viewArea->addLayout(m_viewStack, 0, 0);

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

    m_emptyState = new PlazaPageEmptyState(m_contentBase);
    viewArea->addWidget(m_emptyState, 0, 0, Qt::AlignCenter);
    connect(m_emptyState, &PlazaPageEmptyState::ClearConditionsRequired, this,
            &PlazaPublicPage::HandleClearConditionValues);
    connect(m_emptyState, &PlazaPageEmptyState::RetryRequired, this, &PlazaPublicPage::Refresh);

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
    // Drawn at 400 px for 200 shown, so a screen of up to twice the density gets every pixel.
    const qreal density = std::min<qreal>(2, qApp->devicePixelRatio());
    QPixmap picture = QPixmap(QStringLiteral(":/images/offline/400x400.png"))
                          .scaled(QSize(200, 200) * density, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    picture.setDevicePixelRatio(density);
    offlinePicture->setPixmap(picture);
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
    m_propertyConditions->Clear();
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

void PlazaPublicPage::LoadCategories()
{
    auto* reply = PublicCategoryService::Get()->GetCategories(
        PlazaPageSupport::SoftwareCode(), PlazaPageSupport::SoftwareVersion(), std::wstring(), m_keyword,
        CurrentConditions());
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
    auto* reply = PublicComponentService::Get()->GetComponents(
        PlazaPageSupport::SoftwareCode(), PlazaPageSupport::SoftwareVersion(), categoryCode, keyword, pageIndex,
        m_pageSize, -1, CurrentConditions());
    if (!reply) {
        ShowComponents({}, 0, 1);
        m_emptyState->ShowFailure(tr("构件服务不可用"));
        return;
    }
    PlazaPublicPage* page = this;
    reply->setParent(this);
    connect(
        reply, &CustomReplyBase::Finished, reply,
        [reply, page, pageIndex, keyword, categoryCode] {
            if (!reply->Error().empty()) {
                page->ShowComponents({}, 0, 1);
                page->m_emptyState->ShowFailure(QString::fromStdWString(reply->Error()));
                reply->deleteLater();
                return;
            }
            const ComponentPage result = reply->Result();
            reply->deleteLater();
            if (!result) {
                page->ShowComponents({}, 0, 1);
                page->m_emptyState->ShowFailure(tr("构件服务返回的数据无法识别"));
                return;
            }
            // A negative total from a broken backend shows as no results; the event reports what came.
            const int64_t total = std::max<int64_t>(result->Total, 0);
            page->ShowComponents(result->Data, static_cast<uint64_t>(total), static_cast<uint64_t>(pageIndex));
            const bool anyComponent = std::any_of(result->Data.begin(), result->Data.end(),
                                                  [](const std::shared_ptr<IComponent>& c) { return c != nullptr; });
            if (anyComponent) {
                page->m_emptyState->hide();
            } else {
                page->m_emptyState->ShowNoResults(page->HasQueryConditions());
            }

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

std::vector<std::shared_ptr<ConditionFilterOption>> PlazaPublicPage::CurrentConditions() const
{
    return m_propertyConditions->CurrentConditions();
}

void PlazaPublicPage::LoadCategoryProperty(std::wstring categoryCode)
{
    m_propertyConditions->LoadCategoryProperty(categoryCode);
}

void PlazaPublicPage::HandleEnumerableConditionChanged(EnumerableConditionFilterItem condition, QVariant newValue)
{
    m_propertyConditions->ChangeEnumerableCondition(condition, newValue);
}

void PlazaPublicPage::HandleBooleanConditionChanged(BooleanConditionFilterItem condition, QVariant newValue)
{
    m_propertyConditions->ChangeBooleanCondition(condition, newValue);
}

void PlazaPublicPage::HandleRangeBasedConditionChanged(RangeBasedConditionFilterItem condition, QVariant minValue,
                                                       QVariant maxValue)
{
    m_propertyConditions->ChangeRangeBasedCondition(condition, minValue, maxValue);
}

void PlazaPublicPage::RefreshConditionValues()
{
    m_propertyConditions->RefreshConditionValues(m_keyword, m_categoryCode, m_rootCategoryCode);
}

void PlazaPublicPage::HandleRemoveConditionValue(GeneralConditionValueItem conditionValue)
{
    const QString tag = conditionValue.Tag.toString();
    if (tag.compare(PlazaPageConditions::KeywordTag, Qt::CaseInsensitive) == 0) {
        m_keyword.clear();
        m_searchTextBox->setText(QString());
        ResetToRootCategory();
    } else if (tag.compare(PlazaPageConditions::CategoryTag, Qt::CaseInsensitive) == 0) {
        ResetToRootCategory();
    } else {
        m_propertyConditions->RemoveConditionValue(tag);
    }
}

void PlazaPublicPage::Refresh()
{
    m_checkedComponents.Clear();
    LoadCategories();
    QueryComponents();
}

// Whether clearing the keyword, the category and the property conditions would widen the query.
bool PlazaPublicPage::HasQueryConditions() const
{
    return !m_keyword.empty() || m_categoryCode != m_rootCategoryCode || !CurrentConditions().empty();
}

void PlazaPublicPage::HandleClearConditionValues()
{
    m_keyword.clear();
    m_searchTextBox->setText(QString());
    m_categoryCode = m_rootCategoryCode;
    m_propertyConditions->Clear();
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
    // Showing a view puts it on top; the explanation of an empty result stays above it.
    if (m_emptyState->isVisibleTo(m_contentBase)) {
        m_emptyState->raise();
    }
}

void PlazaPublicPage::SwitchToListMode()
{
    m_cardModeButton->setIcon(QIcon(QStringLiteral(":/images/cardMode/normal/16x16.png")));
    m_listModeButton->setIcon(QIcon(QStringLiteral(":/images/tableMode/active/16x16.png")));
    m_viewStack->setCurrentWidget(m_listModeBase);
    // Showing a view puts it on top; the explanation of an empty result stays above it.
    if (m_emptyState->isVisibleTo(m_contentBase)) {
        m_emptyState->raise();
    }
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
    auto* reply = PublicComponentService::Get()->GetDetailedComponent(
        PlazaPageSupport::SoftwareCode(), PlazaPageSupport::SoftwareVersion(), component->Id);
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
// Load, place, batch load and add into the collaboration project.

void PlazaPublicPage::HandleLoadComponentIntoDocument(IComponent component)
{
    m_actions->Load(component);
}

void PlazaPublicPage::HandleLoadComponentIntoDocument4Lumen(IComponent component)
{
    m_actions->LoadForLumen(component);
}

void PlazaPublicPage::HandlePlaceComponentIntoDocument(IComponent component)
{
    m_actions->Place(component);
}

void PlazaPublicPage::HandleBatchButtonClicked()
{
    m_actions->RunBatch();
}

void PlazaPublicPage::BatchLoad()
{
    m_actions->BatchLoad();
}

void PlazaPublicPage::AddComponentsIntoProject(const std::vector<IComponent>& components, bool batch)
{
    m_actions->AddComponentsIntoProject(components, batch);
}

} // namespace vela
