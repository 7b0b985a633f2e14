#include "DocumentView.h"

#include "Document.h"

#include <QHeaderView>
#include <QSignalBlocker>

namespace plazahost {

namespace {

constexpr int RefreshDelayMs = 30;
constexpr int SummaryParameters = 4;
constexpr int KeyRole = Qt::UserRole + 1;

QString ParameterSummary(const tarn::FamilyType& type)
{
    QStringList parts;
    const auto& parameters = type.Parameters();
    for (int i = 0; i < parameters.size() && i < SummaryParameters; ++i) {
        parts << QStringLiteral("%1=%2%3").arg(parameters[i].Name, parameters[i].Value, parameters[i].Unit);
    }
    if (parameters.size() > SummaryParameters) {
        parts << QStringLiteral("…");
    }
    return parts.isEmpty() ? DocumentView::tr("无参数") : parts.join(DocumentView::tr("，"));
}

QString PositionText(const tarn::ComponentFile::Point3& p)
{
    return DocumentView::tr("位置 (%1, %2, %3) mm").arg(p[0]).arg(p[1]).arg(p[2]);
}

} // namespace

DocumentView::DocumentView(QWidget* parent)
    : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("DocumentView"));
    setHeaderLabels({tr("文档内容"), tr("说明")});
    header()->setSectionResizeMode(0, QHeaderView::Stretch);
    setUniformRowHeights(true);

    m_refreshTimer.setSingleShot(true);
    m_refreshTimer.setInterval(RefreshDelayMs);
    connect(&m_refreshTimer, &QTimer::timeout, this, &DocumentView::Refresh);
    connect(this, &QTreeWidget::itemCollapsed, this,
            [this](QTreeWidgetItem* item) { m_collapsed.insert(item->data(0, KeyRole).toString()); });
    connect(this, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* item) { m_collapsed.remove(item->data(0, KeyRole).toString()); });
}

void DocumentView::SetDocument(tarn::Document* document)
{
    disconnect(m_changedConnection);
    m_document = document;
    m_collapsed.clear();
    if (document) {
        m_changedConnection = connect(document, &tarn::Document::Changed, this, &DocumentView::ScheduleRefresh);
        // A destroyed document empties the view at the next refresh.
        connect(document, &QObject::destroyed, this, &DocumentView::ScheduleRefresh);
    }
    Refresh();
}

tarn::Document* DocumentView::Document() const
{
    return m_document.data();
}

void DocumentView::ScheduleRefresh()
{
    if (!m_refreshTimer.isActive()) {
        m_refreshTimer.start();
    }
}

void DocumentView::Refresh()
{
    m_refreshTimer.stop();
    const QSignalBlocker blocker(this);
    setUpdatesEnabled(false);
    clear();
    if (!m_document) {
        setUpdatesEnabled(true);
        return;
    }

    const auto addItem = [this](QTreeWidgetItem* parent, const QString& key, const QString& name, const QString& note) {
        auto* item = new QTreeWidgetItem(parent, {name, note});
        item->setData(0, KeyRole, key);
        return item;
    };
    const tarn::Document& document = *m_document;
    const std::vector<const tarn::Family*> families = document.Families();
    auto* root = new QTreeWidgetItem(this, {QString::fromStdWString(document.GetName()),
                                            tr("%1 个族，%2 个实例").arg(families.size()).arg(document.Instances().size())});
    root->setData(0, KeyRole, QStringLiteral("document"));

    // Instances by type, so each type finds its own without scanning them all.
    QHash<QString, QVector<const tarn::FamilyInstance*>> instancesByType;
    for (const tarn::FamilyInstance& instance : document.Instances()) {
        instancesByType[QString::fromStdWString(instance.Type.ToString())].append(&instance);
    }

    std::vector<QTreeWidgetItem*> items;
    items.push_back(root);
    for (const tarn::Family* family : families) {
        const QString familyKey = QStringLiteral("family:%1").arg(family->GetRuntimeId().Value());
        const QString category = family->CategoryCode().isEmpty() ? tr("未分类") : family->CategoryCode();
        QTreeWidgetItem* familyItem = addItem(root, familyKey, QString::fromStdWString(family->GetName()),
                                              tr("类别 %1，%2 个类型").arg(category).arg(family->Types().size()));
        items.push_back(familyItem);
        for (const auto& type : family->Types()) {
            const QString identity = QString::fromStdWString(type->GetUniIdentity().ToString());
            QTreeWidgetItem* typeItem =
                addItem(familyItem, QStringLiteral("type:") + identity, QString::fromStdWString(type->GetName()),
                        ParameterSummary(*type));
            items.push_back(typeItem);
            for (const tarn::FamilyInstance* instance : instancesByType.value(identity)) {
                addItem(typeItem, QString(), tr("实例 #%1").arg(instance->Id.Value()), PositionText(instance->Position));
            }
        }
    }
    for (QTreeWidgetItem* item : items) {
        item->setExpanded(!m_collapsed.contains(item->data(0, KeyRole).toString()));
    }
    setUpdatesEnabled(true);
}

} // namespace plazahost
