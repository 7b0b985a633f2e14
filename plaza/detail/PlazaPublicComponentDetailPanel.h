#pragma once

#include "IDetailedPublicComponent.h"
#include "ILegend.h"
#include "ISpecification.h"
#include "plaza_export.h"

#include <QWidget>

#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;

namespace vela {

class HollowButtonTab;
class ImageSlider;
class LegendsPane;
class Mox3DPreviewWindow;
class ParametersPane;
class TopLineTab;

// The side panel showing one public component: name, category path, thumbnails,
// legends, specifications with their parameters, and the 3D preview.
class PLAZA_EXPORT PlazaPublicComponentDetailPanel : public QWidget
{
    Q_OBJECT

public:
    explicit PlazaPublicComponentDetailPanel(QWidget* parent);
    ~PlazaPublicComponentDetailPanel() override;

    // A null component is ignored; any other is shown afresh, even the same one again.
    void SetDetailedComponent(std::shared_ptr<IDetailedPublicComponent> component);

signals:
    void Closed();

public slots:
    void OnSelectedSpecificationChanged(int index);

private slots:
    void HandlePreviewMox3D();

private:
    void InitUI();
    void RefreshData();
    void RefreshComponentName();
    void RefreshCategory();
    void RefreshLegends();
    void RefreshThumbnails();
    void RefreshSpecifications();
    void ShowLegends(std::vector<std::shared_ptr<ILegend>> legends);

    std::shared_ptr<IDetailedPublicComponent> m_component;
    QLabel* m_nameLabel = nullptr;
    QLabel* m_categoryLabel = nullptr;
    QComboBox* m_specificationSelector = nullptr;
    ImageSlider* m_thumbnailSlider = nullptr;
    HollowButtonTab* m_thumbnailTab = nullptr;
    TopLineTab* m_specificationTab = nullptr;
    ParametersPane* m_parametersPane = nullptr;
    Mox3DPreviewWindow* m_previewWindow = nullptr;
    std::shared_ptr<ISpecification> m_currentSpecification;
    QPushButton* m_previewMox3DButton = nullptr;
    LegendsPane* m_legendsPane = nullptr;
};

} // namespace vela
