#include "PlazaPublicComponentsTableModel.h"

#include "AppService.h"
#include "ComponentCheckStates.h"
#include "ComponentThumbnail.h"
#include "UrlImageProvider.h"

#include <QBrush>
#include <QColor>

#include <utility>

namespace vela {

namespace {

enum Column
{
    CheckColumn = 0,
    NameColumn = 1,
    LoadColumn = 2,
    PlaceColumn = 3,
    ColumnCount = 4,
};

constexpr int LeftVCenter = Qt::AlignLeft | Qt::AlignVCenter;
const QColor OperationColour(0, 177, 209, 255);

} // namespace

PlazaPublicComponentsTableModel::PlazaPublicComponentsTableModel(QObject* parent)
    : QAbstractTableModel(parent)
    , m_imageProvider(std::make_shared<UrlImageProvider>(nullptr))
    , m_checkStates(std::make_unique<ComponentCheckStates>())
{
    connect(m_imageProvider.get(), &UrlImageProvider::OnProvided, this, &PlazaPublicComponentsTableModel::UpdateThumbnail);
}

PlazaPublicComponentsTableModel::~PlazaPublicComponentsTableModel() = default;

void PlazaPublicComponentsTableModel::SetComponents(std::vector<std::shared_ptr<IComponent>> components)
{
    // The old page leaves and the new one arrives inside their own brackets, so a
    // view or proxy never sees a row count that its signals have not announced.
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
        emit dataChanged(index(0, 0), index(newCount - 1, ColumnCount - 1), {});
    }
    emit TableUpdated();
}

QModelIndex PlazaPublicComponentsTableModel::index(int row, int column, const QModelIndex& parent) const
{
    if (hasIndex(row, column, parent) && row < static_cast<int>(m_components.size()) && column < ColumnCount) {
        return createIndex(row, column, m_components[static_cast<size_t>(row)].get());
    }
    return QAbstractTableModel::index(row, column, parent);
}

int PlazaPublicComponentsTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_components.size());
}

int PlazaPublicComponentsTableModel::columnCount(const QModelIndex&) const
{
    return ColumnCount;
}

QVariant PlazaPublicComponentsTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= static_cast<int>(m_components.size())) {
        return {};
    }
    const IComponent* component = ComponentOf(index);
    if (!component) {
        return {};
    }
    const AppService* app = AppService::Get();
    switch (index.column()) {
    case CheckColumn:
        if (role == CheckStateRole) {
            return m_checkStates->IsChecked(component->Id);
        }
        break;
    case NameColumn:
        switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdWString(component->GetDisplayName());
        case Qt::DecorationRole:
            return ComponentThumbnail::Resolve(m_imageProvider.get(), component->ThumbnailUrl);
        case Qt::TextAlignmentRole:
            return LeftVCenter;
        default:
            break;
        }
        break;
    case LoadColumn:
    case PlaceColumn:
        switch (role) {
        case Qt::DisplayRole:
            if (index.column() == LoadColumn) {
                return app && (app->IsSorn() || app->IsLumen() || app->IsRivo()) ? tr("载入") : QString();
            }
            return app && app->IsSorn() ? tr("布置") : QString();
        case Qt::TextAlignmentRole:
            return LeftVCenter;
        case Qt::ForegroundRole:
            return OperationColour;
        default:
            break;
        }
        break;
    default:
        break;
    }
    return {};
}

bool PlazaPublicComponentsTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    IComponent* component = index.isValid() ? ComponentOf(index) : nullptr;
    if (!component || index.column() != CheckColumn || role != CheckStateRole) {
        return false;
    }
    const bool checked = value.toBool();
    if (!m_checkStates->Set(component->Id, checked)) {
        return false;
    }
    emit dataChanged(index, index, {CheckStateRole});
    OnItemCheckStateChanged();
    emit ComponentCheckStateChanged(component, checked);
    return true;
}

QVariant PlazaPublicComponentsTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role != Qt::AccessibleDescriptionRole) {
            return {};
        }
        if (const IComponent* component = ComponentOf(index(section, NameColumn))) {
            return QStringLiteral("Comopnent{id:%1}").arg(QString::fromStdWString(component->Id));
        }
        return QStringLiteral("ROW_%1").arg(section);
    }

    switch (section) {
    case CheckColumn:
        if (role == Qt::AccessibleDescriptionRole) {
            return tr("复选框");
        }
        break;
    case NameColumn:
        switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleDescriptionRole:
            return tr("构件名");
        case Qt::TextAlignmentRole:
            return LeftVCenter;
        case Qt::BackgroundRole:
            return QBrush(Qt::red);
        case Qt::CheckStateRole:
            return false;
        default:
            break;
        }
        break;
    case LoadColumn:
        switch (role) {
        case Qt::DisplayRole:
            return tr("操作");
        case Qt::TextAlignmentRole:
            return LeftVCenter;
        case Qt::AccessibleDescriptionRole:
            return tr("载入");
        default:
            break;
        }
        break;
    case PlaceColumn:
        switch (role) {
        case Qt::TextAlignmentRole:
            return LeftVCenter;
        case Qt::AccessibleDescriptionRole:
            return tr("布置");
        default:
            break;
        }
        break;
    default:
        break;
    }
    return {};
}

std::vector<std::wstring> PlazaPublicComponentsTableModel::GetCheckedComponentIds() const
{
    return m_checkStates->CheckedIds();
}

std::vector<IComponent> PlazaPublicComponentsTableModel::GetCheckedComponents() const
{
    return m_checkStates->CheckedComponents(m_components);
}

int PlazaPublicComponentsTableModel::GetCheckedCount() const
{
    return m_checkStates->CheckedCount();
}

void PlazaPublicComponentsTableModel::ChangeCheckStates(Qt::CheckState state)
{
    if (state == Qt::PartiallyChecked) {
        return;
    }
    const bool checked = state == Qt::Checked;
    for (int row = 0; row < rowCount(); ++row) {
        const QModelIndex cell = index(row, CheckColumn);
        if (data(cell, CheckStateRole).toBool() != checked) {
            setData(cell, checked, CheckStateRole);
        }
    }
}

void PlazaPublicComponentsTableModel::ChangeCheckState(IComponent* component, bool checked)
{
    if (!component) {
        return;
    }
    for (int row = 0; row < rowCount(); ++row) {
        const QModelIndex cell = index(row, CheckColumn);
        const IComponent* held = ComponentOf(cell);
        if (cell.isValid() && held && held->Id == component->Id) {
            if (data(cell, CheckStateRole) != QVariant(checked)) {
                setData(cell, checked, CheckStateRole);
            }
            return;
        }
    }
}

void PlazaPublicComponentsTableModel::UpdateThumbnail(std::wstring imageKey, std::shared_ptr<QImage> spImage)
{
    for (int row = 0; row < rowCount(); ++row) {
        const QModelIndex cell = index(row, NameColumn);
        const IComponent* component = ComponentOf(cell);
        if (cell.isValid() && component && component->ThumbnailUrl == imageKey) {
            if (spImage) {
                emit dataChanged(cell, cell, {Qt::DecorationRole});
            }
            return;
        }
    }
}

IComponent* PlazaPublicComponentsTableModel::ComponentOf(const QModelIndex& index)
{
    return static_cast<IComponent*>(index.internalPointer());
}

void PlazaPublicComponentsTableModel::OnItemCheckStateChanged()
{
    emit CheckStatesChanged(m_checkStates->Summary(), m_checkStates->CheckedCount());
}

} // namespace vela
