#include "PlazaPublicComponentsTableView.h"

#include "PlazaPublicComponentItemDelegate.h"
#include "PlazaPublicComponentsTableHeaderView.h"
#include "PlazaPublicComponentsTableModel.h"
#include "ScrollBarStyles.h"

#include <QPainter>
#include <QScrollBar>
#include <QStyleOption>

namespace vela {

namespace {
constexpr int LoadColumnWidth = 50;
constexpr int PlaceColumnWidth = 150;
} // namespace

PlazaPublicComponentsTableView::PlazaPublicComponentsTableView(QWidget* parent)
    : QTableView(parent)
    , m_rowHeight(48)
    , m_headerHeight(24)
    , m_leftBorderWidth(0)
    , m_topBorderWidth(0)
    , m_rightBorderWidth(0)
    , m_bottomBorderWidth(0)
    , m_topLeftRadius(0)
    , m_topRightRadius(0)
    , m_bottomRightRadius(0)
    , m_bottomLeftRadius(0)
    , m_borderColor(0, 0, 0, 0)
{
    Init();
}

PlazaPublicComponentsTableHeaderView* PlazaPublicComponentsTableView::HorizontalHeader() const
{
    return qobject_cast<PlazaPublicComponentsTableHeaderView*>(horizontalHeader());
}

PlazaPublicComponentItemDelegate* PlazaPublicComponentsTableView::ItemDelegate() const
{
    return qobject_cast<PlazaPublicComponentItemDelegate*>(itemDelegate());
}

PlazaPublicComponentsTableModel* PlazaPublicComponentsTableView::Model() const
{
    return qobject_cast<PlazaPublicComponentsTableModel*>(model());
}

// The style sheet's background and rounded frame are drawn first; the cells follow.
void PlazaPublicComponentsTableView::paintEvent(QPaintEvent* event)
{
    {
        // A scroll area paints through its viewport: a painter on the view itself is refused here.
        QPainter painter(viewport());
        painter.save();
        QStyleOption option;
        option.initFrom(this);
        style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
        painter.restore();
    }
    QTableView::paintEvent(event);
}

void PlazaPublicComponentsTableView::Init()
{
    setAttribute(Qt::WA_MouseTracking);

    auto* tableModel = new PlazaPublicComponentsTableModel(this);
    setModel(tableModel);

    auto* delegate = new PlazaPublicComponentItemDelegate(this);
    setItemDelegate(delegate);

    auto* header = new PlazaPublicComponentsTableHeaderView(Qt::Horizontal, this);
    setHorizontalHeader(header);
    header->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(1, QHeaderView::Stretch);
    header->setSectionResizeMode(2, QHeaderView::Fixed);
    header->setSectionResizeMode(3, QHeaderView::Fixed);
    header->setFixedHeight(m_headerHeight);

    connect(tableModel, &PlazaPublicComponentsTableModel::CheckStatesChanged, header,
        &PlazaPublicComponentsTableHeaderView::ChangeCheckState);
    connect(header, &PlazaPublicComponentsTableHeaderView::CheckStateChanged, tableModel,
        &PlazaPublicComponentsTableModel::ChangeCheckStates);

    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(m_rowHeight);

    setColumnWidth(2, LoadColumnWidth);
    setColumnWidth(3, PlaceColumnWidth);

    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setShowGrid(false);
    setAttribute(Qt::WA_TranslucentBackground);

    setStyleSheet(QStringLiteral(
        "QTableView{background:rgba(255, 255, 255, 255);border-left-width:%1px;border-top-width:%2px;"
        "border-right-width:%3px;border-bottom-width:%4px;border-top-left-radius:%5px;"
        "border-top-right-radius:%6px;border-bottom-right-radius:%7px;border-bottom-left-radius:%8px;"
        "border-color:rgba(%9, %10, %11, %12);border-style:solid;}")
                      .arg(m_leftBorderWidth)
                      .arg(m_topBorderWidth)
                      .arg(m_rightBorderWidth)
                      .arg(m_bottomBorderWidth)
                      .arg(m_topLeftRadius)
                      .arg(m_topRightRadius)
                      .arg(m_bottomRightRadius)
                      .arg(m_bottomLeftRadius)
                      .arg(m_borderColor.red())
                      .arg(m_borderColor.green())
                      .arg(m_borderColor.blue())
                      .arg(m_borderColor.alpha()));

    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    verticalScrollBar()->setStyleSheet(ScrollBarStyles::VerticalScrollBarStyle(true));
}

} // namespace vela
