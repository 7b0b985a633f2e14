#include "PlazaPublicComponentsCardListModel.h"

#include "ComponentCheckStates.h"
#include "ComponentThumbnail.h"
#include "UrlImageProvider.h"

#include <QColor>
#include <QSize>

#include <utility>

namespace vela {

namespace {
constexpr QSize CardSize(128, 136);
constexpr int HCenterTop = Qt::AlignHCenter | Qt::AlignTop;
const QColor CardBackground(QStringLiteral("#FFFFFF"));
const QColor NameColour(QStringLiteral("#3B3B3B"));
} // namespace

PlazaPublicComponentsCardListModel::PlazaPublicComponentsCardListModel(QObject* parent)
    : QAbstractItemModel(parent)
    , m_imageProvider(std::make_shared<UrlImageProvider>(nullptr))
    , m_checkStates(std::make_unique<ComponentCheckStates>())
{
    connect(m_imageProvider.get(), &UrlImageProvider::OnProvided, this, &PlazaPublicComponentsCardListModel::UpdateThumbnail);
}

PlazaPublicComponentsCardListModel::~PlazaPublicComponentsCardListModel() = default;

void PlazaPublicComponentsCardListModel::SetComponents(std::vector<std::shared_ptr<IComponent>> components)
{
    // Rows leave and arrive inside their brackets, so views and proxies always see
    // the row count the signals announce.
    const int oldCount = rowCount();
    if (oldCount > 0) {
        beginRemoveRows(QModelIndex(), 0, oldCount - 1);
        m_components.clear();
        endRemoveRows();
    }
    m_components.clear();

    m_checkStates->Reset(components);
    emit CheckStatesChanged(Qt::Unchecked, 0);

    // An empty page has no index to report as changed.
    const int newCount = static_cast<int>(components.size());
    if (newCount > 0) {
        beginInsertRows(QModelIndex(), 0, newCount - 1);
        m_components = std::move(components);
        endInsertRows();
        emit dataChanged(index(0, 0), index(newCount - 1, 0), {});
    }
    emit ListUpdated();
}

QModelIndex PlazaPublicComponentsCardListModel::index(int row, int column, const QModelIndex& parent) const
{
    if (hasIndex(row, column, parent) && row < static_cast<int>(m_components.size()) && column == 0) {
        return createIndex(row, column, m_components[static_cast<size_t>(row)].get());
    }
    return {};
}

QModelIndex PlazaPublicComponentsCardListModel::parent(const QModelIndex&) const
{
    return {};
}

int PlazaPublicComponentsCardListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_components.size());
}

int PlazaPublicComponentsCardListModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant PlazaPublicComponentsCardListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= static_cast<int>(m_components.size())) {
        return {};
    }
    const IComponent* component = ComponentOf(index);
    if (!component) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdWString(component->GetDisplayName());
    case Qt::DecorationRole:
        return ComponentThumbnail::Resolve(m_imageProvider.get(), component->ThumbnailUrl);
    case Qt::TextAlignmentRole:
        return HCenterTop;
    case Qt::BackgroundRole:
        return CardBackground;
    case Qt::ForegroundRole:
        return NameColour;
    case Qt::CheckStateRole:
        return m_checkStates->IsChecked(component->Id);
    case Qt::SizeHintRole:
        return CardSize;
    default:
        return {};
    }
}

bool PlazaPublicComponentsCardListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    IComponent* component = index.isValid() ? ComponentOf(index) : nullptr;
    if (!component) {
        return false;
    }
    if (role != Qt::CheckStateRole || index.column() != 0) {
        return QAbstractItemModel::setData(index, value, role);
    }
    const bool checked = value.toBool();
    if (!m_checkStates->Set(component->Id, checked)) {
        return false;
    }
    emit dataChanged(index, index, {Qt::CheckStateRole});
    OnItemCheckStateChanged();
    emit ComponentCheckStateChanged(component, checked);
    return true;
}

void PlazaPublicComponentsCardListModel::ChangeCheckState(IComponent* component, bool checked)
{
    if (!component) {
        return;
    }
    for (int row = 0; row < rowCount(); ++row) {
        const QModelIndex card = index(row, 0);
        const IComponent* held = ComponentOf(card);
        if (card.isValid() && held && held->Id == component->Id) {
            if (data(card, Qt::CheckStateRole).toBool() != checked) {
                setData(card, checked, Qt::CheckStateRole);
            }
            return;
        }
    }
}

void PlazaPublicComponentsCardListModel::ChangeCheckStates(Qt::CheckState state)
{
    if (state == Qt::PartiallyChecked) {
        return;
    }
    const bool checked = state == Qt::Checked;
    for (int row = 0; row < rowCount(); ++row) {
        const QModelIndex card = index(row, 0);
        if (data(card, Qt::CheckStateRole).toBool() != checked) {
            setData(card, checked, Qt::CheckStateRole);
        }
    }
}

void PlazaPublicComponentsCardListModel::UpdateRow(int row)
{
    // A row outside the page has no index to report.
    const QModelIndex card = index(row, 0);
    if (card.isValid()) {
        emit dataChanged(card, card, {});
    }
}

void PlazaPublicComponentsCardListModel::UpdateThumbnail(std::wstring imageKey, std::shared_ptr<QImage> spImage)
{
    for (int row = 0; row < rowCount(); ++row) {
        const QModelIndex card = index(row, 0);
        const IComponent* component = ComponentOf(card);
        if (card.isValid() && component && component->ThumbnailUrl == imageKey) {
            if (spImage) {
                emit dataChanged(card, card, {Qt::DecorationRole});
            }
            return;
        }
    }
}

IComponent* PlazaPublicComponentsCardListModel::ComponentOf(const QModelIndex& index)
{
    return static_cast<IComponent*>(index.internalPointer());
}

void PlazaPublicComponentsCardListModel::OnItemCheckStateChanged()
{
    emit CheckStatesChanged(m_checkStates->Summary(), m_checkStates->CheckedCount());
}

} // namespace vela
