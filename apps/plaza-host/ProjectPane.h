#pragma once

#include <QDockWidget>
#include <QStringList>

class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace plazahost {

// A side panel listing the components of one collaboration project as the
// catalog backend keeps them, including what other people added, so that a
// repeat check's warning can be seen for what it is. Backend answers arrive
// on other threads and are shown from the event loop; a newer refresh wins.
class ProjectPane : public QDockWidget
{
    Q_OBJECT

public:
    explicit ProjectPane(QWidget* parent = nullptr);

    // Shows `projectId`, reading the project list first when it is not known yet.
    void SetProject(const QString& projectId);
    QString ProjectId() const;
    // Reads the project list and the shown project's components again.
    void Refresh();
    // One line per listed component: name, version, public component id.
    QStringList Lines() const;

signals:
    // The list shows a fresh answer (or the reason there is none).
    void ComponentsUpdated();

private:
    void HandleProjects(quint64 generation, const std::wstring& error, const QList<QPair<QString, QString>>& projects);
    void RefreshComponents();
    void ShowStatus(const QString& text);

    QComboBox* m_projects = nullptr;
    QPushButton* m_refresh = nullptr;
    QTreeWidget* m_list = nullptr;
    QLabel* m_status = nullptr;
    QString m_wanted;
    quint64 m_generation = 0;
};

} // namespace plazahost
