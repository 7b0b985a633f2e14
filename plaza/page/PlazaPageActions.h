#pragma once

#include "AddIntoProjectContext.h"
#include "IComponent.h"
#include "SelectionHelper.h"

#include <QObject>

#include <vector>

class QWidget;

namespace vela {

// Brings components from the public library into the open document (load,
// place, batch load) or into the collaboration project. The page owns the
// checked components and the project context; this object lives as its child,
// so a handler that finds it gone knows the page is gone too.
class PlazaPageActions : public QObject
{
    Q_OBJECT

public:
    PlazaPageActions(SelectionHelper<IComponent>& checkedComponents, AddIntoProjectContext& addIntoProjectContext,
                     QWidget* page);

    // Single component.
    void Load(const IComponent& component);
    void LoadForLumen(const IComponent& component);
    void Place(const IComponent& component);

    // The checked components: into the project on Rivo, else into the document.
    void RunBatch();
    void BatchLoad();
    void AddComponentsIntoProject(const std::vector<IComponent>& components, bool batch);
    void SendAddComponents(const std::vector<IComponent>& components, bool batch);

private:
    QWidget* m_page = nullptr;
    SelectionHelper<IComponent>& m_checkedComponents;
    AddIntoProjectContext& m_addIntoProjectContext;
};

} // namespace vela
