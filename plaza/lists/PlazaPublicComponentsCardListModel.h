#pragma once

#include "plaza_export.h"

#include "IComponent.h"

#include <QAbstractItemModel>
#include <QImage>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vela {

class ComponentCheckStates;
class UrlImageProvider;

// One page of public components as a flat list of 128 x 136 cards; one check
// state per component id, read and written through Qt::CheckStateRole.
class PLAZA_EXPORT PlazaPublicComponentsCardListModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    explicit PlazaPublicComponentsCardListModel(QObject* parent);
    ~PlazaPublicComponentsCardListModel() override;

    void SetComponents(std::vector<std::shared_ptr<IComponent>> components);

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    void ChangeCheckState(IComponent* component, bool checked);
    void ChangeCheckStates(Qt::CheckState state);
    void UpdateRow(int row);
    void UpdateThumbnail(std::wstring imageKey, std::shared_ptr<QImage> spImage);

signals:
    void OnComponentsUpdatableCount(int32_t count, int32_t page);
    void CheckStatesChanged(Qt::CheckState state, int32_t checkedCount);
    void ComponentCheckStateChanged(IComponent* component, const bool& checked);
    void ListUpdated();

private:
    static IComponent* ComponentOf(const QModelIndex& index);
    void OnItemCheckStateChanged();

    std::vector<std::shared_ptr<IComponent>> m_components;
    std::shared_ptr<UrlImageProvider> m_imageProvider;
    std::unique_ptr<ComponentCheckStates> m_checkStates;
};

} // namespace vela
