#pragma once

#include <QMainWindow>
#include <QStringList>


#include <memory>

class QAction;
class QCloseEvent;
class QLabel;

namespace tarn {
class Document;
}

namespace plazahost {

class DocumentView;
class ProjectPane;

// The demo host: stands for the CAD application around the Plaza module.
// It owns the open document, switches the network on and off, and opens Plaza.
class HostMainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit HostMainWindow(const QString& catalogDescription);
    ~HostMainWindow() override;

    void OpenDocument();
    void CloseDocument();
    void SetOffline(bool offline);
    // Creates the Plaza window on first use and shows it modally at the next event-loop turn.
    void OpenPlaza();
    // Asks the installed catalog for its categories and says in the window when it cannot answer.
    void CheckCatalog();
    // Takes back the window's size, position and docks from the last session and keeps
    // them at close; a tour leaves both alone so its pictures do not depend on a person's use.
    void RememberLayout();

    tarn::Document* Document() const;
    // Asks the collaboration service, through the host's container, for public
    // components to add into `projectId`; the project pane then lists the project.
    void AddComponentsIntoProject(const QString& projectId);
    // Components added through AddComponentsIntoProject() since start.
    int AddedIntoProjects() const;

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void RefreshStatus();
    void ShowCatalogProblem(const QString& reason);

    std::unique_ptr<tarn::Document> m_document;
    int m_documentCounter = 0;
    DocumentView* m_documentView = nullptr;
    ProjectPane* m_projectPane = nullptr;
    QLabel* m_statusLabel = nullptr;
    QLabel* m_catalogProblem = nullptr;
    int m_addedIntoProjects = 0;
    int m_catalogChecks = 0;
    bool m_remembersLayout = false;
    QAction* m_offlineAction = nullptr;
    QString m_catalogDescription;
};

} // namespace plazahost
