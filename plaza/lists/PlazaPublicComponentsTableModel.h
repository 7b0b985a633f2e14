#pragma once

#include "plaza_export.h"

#include "IComponent.h"

#include <QAbstractTableModel>
#include <QImage>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vela {

class ComponentCheckStates;
class UrlImageProvider;

// One page of public components for the table: check box, name with thumbnail,
// load and place operations; one check state per component id.
class PLAZA_EXPORT PlazaPublicComponentsTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int CheckStateRole = Qt::UserRole;

    explicit PlazaPublicComponentsTableModel(QObject* parent);
    ~PlazaPublicComponentsTableModel() override;

    void SetComponents(std::vector<std::shared_ptr<IComponent>> components);

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    std::vector<std::wstring> GetCheckedComponentIds() const;
    std::vector<IComponent> GetCheckedComponents() const;
    int GetCheckedCount() const;

signals:
    void CheckStatesChanged(Qt::CheckState state, int32_t checkedCount);
    void ComponentCheckStateChanged(IComponent* component, const bool& checked);
    void TableUpdated();

public slots:
    void ChangeCheckStates(Qt::CheckState state);
    void ChangeCheckState(IComponent* component, bool checked);

private slots:
    void UpdateThumbnail(std::wstring imageKey, std::shared_ptr<QImage> spImage);

private:
    static IComponent* ComponentOf(const QModelIndex& index);
    void OnItemCheckStateChanged();

    std::vector<std::shared_ptr<IComponent>> m_components;
    std::shared_ptr<UrlImageProvider> m_imageProvider;
    std::unique_ptr<ComponentCheckStates> m_checkStates;
};

} // namespace vela
