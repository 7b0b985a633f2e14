#include "ProjectPane.h"

#include "CatalogBackend.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace plazahost {

namespace {

// Runs `show` on the pane's thread, unless the pane is gone by then.
template <class Show>
void OnPane(const QPointer<ProjectPane>& pane, Show show)
{
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [pane, show = std::move(show)]() mutable {
            if (pane) {
                show(pane.data());
            }
        },
        Qt::QueuedConnection);
}

} // namespace

ProjectPane::ProjectPane(QWidget* parent)
    : QDockWidget(tr("协同项目"), parent)
{
    setObjectName(QStringLiteral("ProjectPane"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    auto* row = new QHBoxLayout();
    m_projects = new QComboBox(body);
    m_projects->setObjectName(QStringLiteral("ProjectPaneProjects"));
    m_refresh = new QPushButton(tr("刷新"), body);
    m_refresh->setObjectName(QStringLiteral("ProjectPaneRefresh"));
    row->addWidget(m_projects, 1);
    row->addWidget(m_refresh);
    layout->addLayout(row);
    m_list = new QTreeWidget(body);
    m_list->setHeaderLabels({tr("构件"), tr("版本"), tr("公共构件")});
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_list->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_list->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    setMinimumWidth(340);
    m_list->setRootIsDecorated(false);
    layout->addWidget(m_list, 1);
    m_status = new QLabel(body);
    m_status->setWordWrap(true);
    layout->addWidget(m_status);
    setWidget(body);

    connect(m_refresh, &QPushButton::clicked, this, [this] { Refresh(); });
    connect(m_projects, qOverload<int>(&QComboBox::activated), this, [this](int) {
        m_wanted = ProjectId();
        RefreshComponents();
    });
}

void ProjectPane::SetProject(const QString& projectId)
{
    m_wanted = projectId;
    const int index = m_projects->findData(projectId);
    if (index < 0) {
        Refresh();
        return;
    }
    m_projects->setCurrentIndex(index);
    RefreshComponents();
}

QString ProjectPane::ProjectId() const
{
    return m_projects->currentData().toString();
}

void ProjectPane::Refresh()
{
    const std::shared_ptr<vela::CatalogBackend> backend = vela::CatalogBackend::Current();
    if (!backend) {
        ShowStatus(tr("没有构件库"));
        return;
    }
    ShowStatus(tr("正在读取协同项目..."));
    const quint64 generation = ++m_generation;
    const QPointer<ProjectPane> pane(this);
    backend->GetProjects([pane, generation](std::wstring error, vela::ProjectList projects) {
        QList<QPair<QString, QString>> list;
        for (const vela::ProjectSummary& project : projects) {
            list.append({QString::fromStdWString(project.Id), QString::fromStdWString(project.Name)});
        }
        OnPane(pane, [generation, error = std::move(error), list](ProjectPane* shown) {
            shown->HandleProjects(generation, error, list);
        });
    });
}

void ProjectPane::HandleProjects(quint64 generation, const std::wstring& error,
                                 const QList<QPair<QString, QString>>& projects)
{
    if (generation != m_generation) {
        return;
    }
    if (!error.empty()) {
        m_list->clear();
        ShowStatus(QString::fromStdWString(error));
        emit ComponentsUpdated();
        return;
    }
    const QString wanted = m_wanted.isEmpty() ? ProjectId() : m_wanted;
    m_projects->clear();
    for (const auto& [id, name] : projects) {
        m_projects->addItem(QStringLiteral("%1  %2").arg(id, name), id);
    }
    m_projects->setCurrentIndex(std::max(0, m_projects->findData(wanted)));
    RefreshComponents();
}

void ProjectPane::RefreshComponents()
{
    const std::shared_ptr<vela::CatalogBackend> backend = vela::CatalogBackend::Current();
    const QString projectId = ProjectId();
    if (!backend || projectId.isEmpty()) {
        m_list->clear();
        ShowStatus(tr("没有协同项目"));
        emit ComponentsUpdated();
        return;
    }
    const quint64 generation = ++m_generation;
    const QPointer<ProjectPane> pane(this);
    backend->GetProjectComponents(
        projectId.toStdWString(), [pane, generation](std::wstring error, vela::ProjectComponentList components) {
            OnPane(pane, [generation, error = std::move(error), components = std::move(components)](ProjectPane* shown) {
                if (generation != shown->m_generation) {
                    return;
                }
                shown->m_list->clear();
                for (const std::shared_ptr<vela::IProjectComponent>& component : components) {
                    if (component) {
                        auto* item = new QTreeWidgetItem(shown->m_list, {QString::fromStdWString(component->Name),
                                                                         QString::number(component->Version),
                                                                         QString::fromStdWString(component->PublicComponentId)});
                        // Copies of one public component differ only by their own id.
                        item->setToolTip(0, QString::fromStdWString(component->Id));
                    }
                }
                shown->ShowStatus(error.empty() ? tr("共 %n 个构件", nullptr, int(components.size()))
                                                : QString::fromStdWString(error));
                emit shown->ComponentsUpdated();
            });
        });
}

QStringList ProjectPane::Lines() const
{
    QStringList lines;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = m_list->topLevelItem(i);
        lines << QStringLiteral("%1 v%2 %3").arg(item->text(0), item->text(1), item->text(2));
    }
    return lines;
}

void ProjectPane::ShowStatus(const QString& text)
{
    m_status->setText(text);
}

} // namespace plazahost
