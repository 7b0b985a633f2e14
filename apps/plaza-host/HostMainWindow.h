#pragma once

#include <QMainWindow>
#include <QStringList>

class QTreeWidget;

#include <memory>

class QAction;
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

    tarn::Document* Document() const;
    // Asks the collaboration service, through the host's container, for public
    // components to add into `projectId`; lists what came back.
    void AddComponentsIntoProject(const QString& projectId);
    QStringList ProjectComponentLines() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void BuildMenus();
    void RefreshStatus();

    std::unique_ptr<tarn::Document> m_document;
    int m_documentCounter = 0;
    DocumentView* m_documentView = nullptr;
    QTreeWidget* m_projectView = nullptr;
    ProjectPane* m_projectPane = nullptr;
    QLabel* m_statusLabel = nullptr;
    QAction* m_offlineAction = nullptr;
    QString m_catalogDescription;
};

} // namespace plazahost
