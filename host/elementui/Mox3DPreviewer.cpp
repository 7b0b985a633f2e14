#include "Mox3DPreviewer.h"

#include "ComponentFile.h"
#include "ModelViewport.h"
#include "ParametersPane.h"
#include "TriangleMesh.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMutex>
#include <QMutexLocker>
#include <QPointer>
#include <QThreadPool>
#include <QVBoxLayout>

namespace vela {

namespace {

constexpr int SideColumnWidth = 260;

QFont YaHei(int pixelSize)
{
    QFont font(QStringLiteral("Microsoft YaHei"));
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace

struct Mox3DPreviewer::Outcome
{
    bool Success = false;
    QString FamilyName;
    std::shared_ptr<const TriangleMesh> Mesh;
    QString Message;
    QString Detail;
};

// Lets a reading thread know whether the previewer still exists.
struct Mox3DPreviewer::LoadLink
{
    QMutex Mutex;
    Mox3DPreviewer* Previewer = nullptr;
    quint64 Generation = 0;
};

QThreadPool* Mox3DPreviewer::ThreadPool()
{
    // One thread: a person looks at one preview at a time, and loads that were
    // overtaken while they waited are skipped, not run.
    static QPointer<QThreadPool> s_pool;
    if (!s_pool) {
        // Owned by the application, which waits for a load still running when it goes.
        s_pool = new QThreadPool(QCoreApplication::instance());
        s_pool->setMaxThreadCount(1);
    }
    return s_pool;
}

bool Mox3DPreviewer::IsCurrent(const std::shared_ptr<LoadLink>& link, quint64 generation)
{
    QMutexLocker lock(&link->Mutex);
    return link->Previewer && link->Generation == generation;
}

Mox3DPreviewer::Mox3DPreviewer(QWidget* parent)
    : QWidget(parent)
    , m_link(std::make_shared<LoadLink>())
{
    m_link->Previewer = this;
    InitUI();
}

Mox3DPreviewer::~Mox3DPreviewer()
{
    QMutexLocker lock(&m_link->Mutex);
    m_link->Previewer = nullptr;
}

void Mox3DPreviewer::InitUI()
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_viewport = new ModelViewport(this);
    m_viewport->setObjectName(QStringLiteral("Mox3DViewport"));
    m_viewport->SetMessage(tr("尚未加载构件"));
    layout->addWidget(m_viewport, 1);

    auto* side = new QWidget(this);
    side->setObjectName(QStringLiteral("Mox3DSideColumn"));
    side->setAttribute(Qt::WA_StyledBackground);
    side->setStyleSheet(QStringLiteral(
        "QWidget#Mox3DSideColumn{background:rgb(255,255,255);border-left:1px solid rgb(210,215,220);}"));
    side->setFixedWidth(SideColumnWidth);
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(1, 0, 0, 0);
    sideLayout->setSpacing(0);

    m_familyLabel = new QLabel(side);
    m_familyLabel->setObjectName(QStringLiteral("Mox3DFamilyLabel"));
    m_familyLabel->setFont(YaHei(14));
    m_familyLabel->setContentsMargins(12, 10, 12, 6);
    m_familyLabel->setStyleSheet(QStringLiteral("QLabel{color:rgb(40,40,51);}"));
    sideLayout->addWidget(m_familyLabel);

    auto* parametersTitle = new QLabel(tr("规格参数"), side);
    parametersTitle->setFont(YaHei(12));
    parametersTitle->setContentsMargins(12, 4, 12, 6);
    parametersTitle->setStyleSheet(QStringLiteral("QLabel{color:rgb(102,102,102);}"));
    sideLayout->addWidget(parametersTitle);

    m_parametersPane = new ParametersPane(side);
    sideLayout->addWidget(m_parametersPane, 1);
    layout->addWidget(side);
}

std::vector<std::shared_ptr<IParameter>> Mox3DPreviewer::Parameters() const
{
    return m_parametersPane->Parameters();
}

void Mox3DPreviewer::Load(const std::wstring& path, const std::vector<std::shared_ptr<IParameter>>& parameters)
{
    const quint64 generation = ++m_generation;
    m_path = QString::fromStdWString(path);
    m_familyName.clear();
    m_loading = true;
    m_familyLabel->clear();
    m_familyLabel->setToolTip(QString());
    m_parametersPane->SetParameters(parameters);
    m_viewport->SetMessage(tr("正在加载模型..."));

    const std::shared_ptr<LoadLink> link = m_link;
    {
        QMutexLocker lock(&link->Mutex);
        link->Generation = generation;
    }
    const QString filePath = m_path;
    ThreadPool()->start([link, generation, filePath] {
        if (!IsCurrent(link, generation)) {
            return;
        }
        const Outcome outcome = ReadModel(filePath);
        QMutexLocker lock(&link->Mutex);
        if (Mox3DPreviewer* previewer = link->Previewer) {
            // Queued to the previewer: dropped with it if it goes before the call runs.
            QMetaObject::invokeMethod(
                previewer, [previewer, generation, outcome] { previewer->Apply(generation, outcome); },
                Qt::QueuedConnection);
        }
    });
}

Mox3DPreviewer::Outcome Mox3DPreviewer::ReadModel(const QString& path)
{
    Outcome outcome;
    tarn::ComponentFile file;
    QString error;
    if (!tarn::ComponentFile::Read(path, file, &error)) {
        outcome.Message = tr("无法打开构件文件，文件可能已损坏");
        outcome.Detail = error;
        return outcome;
    }
    outcome.FamilyName = file.FamilyName;
    QString why;
    if (!TriangleMesh::IsWithinLimits(file, &why)) {
        outcome.Message = tr("构件模型过于复杂，无法预览");
        outcome.Detail = why;
        return outcome;
    }
    auto mesh = std::make_shared<TriangleMesh>(TriangleMesh::FromComponentFile(file));
    if (mesh->IsEmpty()) {
        outcome.Message = tr("该构件没有可预览的几何模型");
        return outcome;
    }
    outcome.Success = true;
    outcome.Mesh = std::move(mesh);
    return outcome;
}

void Mox3DPreviewer::Apply(quint64 generation, const Outcome& outcome)
{
    if (generation != m_generation) {
        return;
    }
    m_loading = false;
    m_familyName = outcome.FamilyName;
    m_familyLabel->setText(
        m_familyLabel->fontMetrics().elidedText(outcome.FamilyName, Qt::ElideRight, SideColumnWidth - 24));
    m_familyLabel->setToolTip(outcome.FamilyName);
    if (outcome.Success) {
        m_viewport->SetMesh(outcome.Mesh);
    } else {
        m_viewport->SetMessage(outcome.Message, outcome.Detail);
    }
    emit LoadFinished(outcome.Success);
}

} // namespace vela
