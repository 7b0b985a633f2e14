#pragma once

#include <QMainWindow>

#include <memory>

class QAction;
class QLabel;
class QTreeWidget;

namespace tarn {
class Document;
}

namespace plazahost {

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

protected:
    void changeEvent(QEvent* event) override;

private:
    void BuildMenus();
    void RefreshDocumentView();

    std::unique_ptr<tarn::Document> m_document;
    int m_documentCounter = 0;
    QTreeWidget* m_documentView = nullptr;
    QLabel* m_statusLabel = nullptr;
    QAction* m_offlineAction = nullptr;
    QString m_catalogDescription;
};

} // namespace plazahost
