#include "PlazaPublicComponentsCardListView.h"

#include "PlazaPublicComponentsCardListHeaderView.h"
#include "PlazaPublicComponentsCardListItemDelegate.h"
#include "PlazaPublicComponentsCardListModel.h"
#include "ScrollBarStyles.h"

#include <QListView>
#include <QScrollBar>
#include <QVBoxLayout>

namespace vela {

namespace {
constexpr int HeaderHeight = 24;
constexpr int CardSpacing = 13;
} // namespace

PlazaPublicComponentsCardListView::PlazaPublicComponentsCardListView(QWidget* parent)
    : QWidget(parent)
{
    Init();
}

PlazaPublicComponentsCardListItemDelegate* PlazaPublicComponentsCardListView::ItemDelegate() const
{
    return qobject_cast<PlazaPublicComponentsCardListItemDelegate*>(m_listView->itemDelegate());
}

PlazaPublicComponentsCardListModel* PlazaPublicComponentsCardListView::Model() const
{
    return qobject_cast<PlazaPublicComponentsCardListModel*>(m_listView->model());
}

QItemSelectionModel* PlazaPublicComponentsCardListView::SelectionModel() const
{
    return m_listView->selectionModel();
}

void PlazaPublicComponentsCardListView::Init()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* header = new PlazaPublicComponentsCardListHeaderView(this);
    layout->addWidget(header);
    header->setObjectName(QStringLiteral("PlazaPublicComponentsCardListHeaderView"));
    header->setProperty("VELAShouldIgnoreRecordQWidget", true);
    header->setStyleSheet(QStringLiteral("QWidget{background:#D7DDE6;}"));
    header->setFixedHeight(HeaderHeight);
    header->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    m_listView = new QListView(this);
    layout->addWidget(m_listView);
    m_listView->setObjectName(QStringLiteral("PlazaPublicComponentsCardListView"));
    m_listView->setProperty("VELAShouldIgnoreRecordQWidget", true);
    m_listView->setStyleSheet(
        QStringLiteral("QListView#PlazaPublicComponentsCardListView{border:none;background:transparent;}"));

    m_listView->setViewMode(QListView::IconMode);
    m_listView->setResizeMode(QListView::Adjust);
    m_listView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listView->setSpacing(CardSpacing);
    m_listView->setWordWrap(true);
    m_listView->setUpdatesEnabled(true);
    m_listView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_listView->setAttribute(Qt::WA_MouseTracking);
    m_listView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_listView->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_listView->horizontalScrollBar()->setStyleSheet(ScrollBarStyles::HorizontalScrollBarStyle());
    m_listView->verticalScrollBar()->setStyleSheet(ScrollBarStyles::VerticalScrollBarStyle(true));

    auto* cardModel = new PlazaPublicComponentsCardListModel(m_listView);
    m_listView->setModel(cardModel);

    connect(cardModel, &PlazaPublicComponentsCardListModel::CheckStatesChanged, header,
        &PlazaPublicComponentsCardListHeaderView::ChangeCheckState);
    connect(header, &PlazaPublicComponentsCardListHeaderView::CheckStateChanged, cardModel,
        &PlazaPublicComponentsCardListModel::ChangeCheckStates);

    m_listView->setItemDelegate(new PlazaPublicComponentsCardListItemDelegate(this));
}

} // namespace vela
