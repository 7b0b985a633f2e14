#include "PlazaPublicComponentDetailPanel.h"

#include "AppService.h"
#include "DownloadPublicComponentWorkflow.h"
#include "HollowButtonTab.h"
#include "ImageSlider.h"
#include "KelBulletin.h"
#include "LegendsPane.h"
#include "Mox3DPreviewWindow.h"
#include "Mox3DPreviewer.h"
#include "ParametersPane.h"
#include "PublicComponentService.h"
#include "PublicComponentWorkflowArgument.h"
#include "TopLineTab.h"
#include "UrlImageProvider.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <map>

namespace vela {

namespace {

const wchar_t* const ThumbnailSizeKey = L"256";
constexpr int SpecificationIdRole = Qt::UserRole;
constexpr int BusyIcon = 4;
constexpr int FailureIcon = 3;
constexpr int FailureNoticeDuration = 1000;
constexpr int NameElideAllowance = 70;
constexpr int CategoryElideAllowance = 16;
const char* const FontFamily = "Microsoft YaHei";
const char* const IgnoreRecordProperty = "VELAShouldIgnoreRecordQWidget";

QFont PanelFont(int pixelSize)
{
    QFont font(QString::fromLatin1(FontFamily));
    font.setPixelSize(pixelSize);
    return font;
}

// The same font with the panel's family and `pixelSize`.
QFont Restyled(QFont font, int pixelSize)
{
    font.setFamily(QString::fromLatin1(FontFamily));
    font.setPixelSize(pixelSize);
    return font;
}

void Name(QWidget* widget, const char* objectName)
{
    widget->setObjectName(QString::fromLatin1(objectName));
    widget->setProperty(IgnoreRecordProperty, true);
}

std::wstring SoftwareCode()
{
    const AppService* app = AppService::Get();
    return app ? app->GetSoftwareCode() : std::wstring();
}

std::wstring SoftwareVersion()
{
    const AppService* app = AppService::Get();
    return app ? app->GetSoftwareVersion() : std::wstring();
}

} // namespace

PlazaPublicComponentDetailPanel::PlazaPublicComponentDetailPanel(QWidget* parent)
    : QWidget(parent)
{
    InitUI();
}

PlazaPublicComponentDetailPanel::~PlazaPublicComponentDetailPanel() = default;

void PlazaPublicComponentDetailPanel::InitUI()
{
    m_nameLabel = new QLabel(this);
    m_nameLabel->setContentsMargins(0, 0, 0, 0);
    m_nameLabel->setFont(PanelFont(14));
    m_nameLabel->setAlignment(Qt::AlignVCenter);

    m_previewMox3DButton = new QPushButton(this);
    Name(m_previewMox3DButton, "PreviewMox3DPushButton");
    m_previewMox3DButton->setFixedSize(28, 28);
    m_previewMox3DButton->setStyleSheet(QStringLiteral("QPushButton{background:transparent;}"));
    // Without a border in its sheet, a raised button's bevel turns the transparent background black in some styles.
    m_previewMox3DButton->setFlat(true);
    m_previewMox3DButton->setIcon(QIcon(QStringLiteral(":/images/3d/48x48.png")));
    m_previewMox3DButton->setCursor(Qt::PointingHandCursor);
    m_previewMox3DButton->setToolTip(tr("查看3D视图"));
    m_previewMox3DButton->setAccessibleName(tr("查看3D视图"));

    m_previewWindow = new Mox3DPreviewWindow(nullptr);
    m_previewWindow->setAttribute(Qt::WA_ShowModal, true);
    // A top-level window of its own, so it goes with the panel rather than with a parent.
    connect(this, &QObject::destroyed, m_previewWindow,
            [window = QPointer<Mox3DPreviewWindow>(m_previewWindow)] { delete window; });

    m_categoryLabel = new QLabel(tr("分类: "), this);
    m_categoryLabel->setContentsMargins(8, 5, 8, 0);
    m_categoryLabel->setFont(PanelFont(12));
    m_categoryLabel->setStyleSheet(QStringLiteral("QLabel{color:rgba(160, 162, 171, 1)}"));

    m_thumbnailTab = new HollowButtonTab(this);
    Name(m_thumbnailTab, "ThumbnailAndLegendTab");
    m_thumbnailTab->setFixedHeight(230);
    m_thumbnailTab->setContentsMargins(0, 8, 0, 0);

    m_thumbnailSlider = new ImageSlider(this);
    Name(m_thumbnailSlider, "ThumbnailImageSlider");
    m_thumbnailSlider->SetImageProvider(std::make_shared<UrlImageProvider>(nullptr));
    m_thumbnailTab->AddTabItem(tr("缩略图"), m_thumbnailSlider);
    m_thumbnailTab->SetStandAloneHeaderVisible(false);

    m_legendsPane = new LegendsPane(this);
    m_legendsPane->setMaximumHeight(152);

    auto* typeLabel = new QLabel(tr("类型"), this);
    typeLabel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    typeLabel->setFont(Restyled(typeLabel->font(), 14));
    typeLabel->setStyleSheet(QStringLiteral("QLabel{color:rgba(102,102,102,255)}"));

    m_specificationSelector = new QComboBox(this);
    Name(m_specificationSelector, "SpecificationSelector");
    m_specificationSelector->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_specificationSelector->setFont(Restyled(m_specificationSelector->font(), 12));
    m_specificationSelector->setStyleSheet(QStringLiteral("QComboBox{color:rgba(80,82,91,255)}"));

    auto* instanceLabel = new QLabel(tr("实例:0"), this);
    instanceLabel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    instanceLabel->hide();

    m_specificationTab = new TopLineTab(this);
    m_specificationTab->setContentsMargins(0, 8, 0, 0);
    QColor headerBackground(217, 221, 228, 255);
    m_specificationTab->SetHeaderBackgorund(headerBackground);
    m_specificationTab->SetStandAloneHeaderVisible(false);
    m_parametersPane = new ParametersPane(this);
    m_specificationTab->AddTabItem(tr("规格参数"), m_parametersPane);

    auto* closeButton = new QPushButton(this);
    Name(closeButton, "CloseDetailButton");
    closeButton->setFixedSize(16, 16);
    closeButton->setIcon(QIcon(QStringLiteral(":/images/close/cross/16x16.png")));
    closeButton->setCursor(Qt::PointingHandCursor);
    closeButton->setStyleSheet(QStringLiteral("QPushButton{background:transparent;}"));
    closeButton->setFlat(true);
    closeButton->setToolTip(tr("关闭详情"));
    closeButton->setAccessibleName(tr("关闭详情"));

    connect(m_previewMox3DButton, &QPushButton::clicked, this, &PlazaPublicComponentDetailPanel::HandlePreviewMox3D);
    connect(m_specificationSelector, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &PlazaPublicComponentDetailPanel::OnSelectedSpecificationChanged);
    connect(closeButton, &QPushButton::clicked, this, [this] { emit Closed(); });

    auto* headerLayout = new QHBoxLayout;
    headerLayout->setSpacing(0);
    headerLayout->setContentsMargins(8, 5, 8, 0);
    headerLayout->addWidget(m_nameLabel, 0, Qt::AlignVCenter);
    headerLayout->addSpacing(2);
    headerLayout->addWidget(m_previewMox3DButton, 0, Qt::AlignVCenter);
    headerLayout->addStretch();
    headerLayout->addSpacing(8);
    headerLayout->addWidget(closeButton, 0, Qt::AlignVCenter);

    auto* specificationLayout = new QHBoxLayout;
    specificationLayout->setSpacing(8);
    specificationLayout->setContentsMargins(8, 5, 8, 0);
    specificationLayout->addWidget(typeLabel);
    specificationLayout->addWidget(m_specificationSelector);
    specificationLayout->addWidget(instanceLabel);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addLayout(headerLayout);
    layout->addWidget(m_categoryLabel);
    layout->addWidget(m_thumbnailTab);
    layout->addWidget(m_legendsPane);
    layout->addLayout(specificationLayout);
    layout->addWidget(m_specificationTab);
}

void PlazaPublicComponentDetailPanel::SetDetailedComponent(std::shared_ptr<IDetailedPublicComponent> component)
{
    if (!component) {
        return;
    }
    m_component = std::move(component);
    RefreshData();
}

void PlazaPublicComponentDetailPanel::RefreshData()
{
    m_thumbnailTab->SwtichToTab(m_thumbnailTab->GetWidgetAt(0));
    m_currentSpecification.reset();
    m_previewMox3DButton->hide();
    RefreshComponentName();
    RefreshCategory();
    RefreshLegends();
    RefreshThumbnails();
    RefreshSpecifications();
}

void PlazaPublicComponentDetailPanel::RefreshComponentName()
{
    if (!m_component) {
        m_nameLabel->setText(QString());
        m_nameLabel->setToolTip(QString());
        return;
    }
    static const QString s_extension = QStringLiteral(".mox");
    QString name = QString::fromStdWString(m_component->Name);
    if (name.size() >= s_extension.size() && name.endsWith(s_extension, Qt::CaseSensitive)) {
        name.chop(s_extension.size());
    }
    const QFontMetrics metrics(m_nameLabel->font());
    m_nameLabel->setText(metrics.elidedText(name, Qt::ElideRight, width() - NameElideAllowance));
    m_nameLabel->setToolTip(name);
}

void PlazaPublicComponentDetailPanel::RefreshCategory()
{
    if (!m_component) {
        m_categoryLabel->setText(QString());
        m_categoryLabel->setToolTip(QString());
        return;
    }
    QString text = tr("分类: ");
    for (const std::wstring& name : m_component->CategoryPath) {
        text += QString::fromStdWString(name) + QLatin1Char('/');
    }
    if (text.endsWith(QLatin1Char('/'))) {
        text.chop(1);
    }
    const QFontMetrics metrics(m_categoryLabel->font());
    m_categoryLabel->setText(metrics.elidedText(text, Qt::ElideRight, width() - CategoryElideAllowance));
    m_categoryLabel->setToolTip(text);
}

void PlazaPublicComponentDetailPanel::RefreshThumbnails()
{
    std::vector<std::wstring> urls;
    if (m_component) {
        const auto found = m_component->Thumbnails.find(ThumbnailSizeKey);
        if (found != m_component->Thumbnails.end()) {
            urls = found->second;
        }
    }
    m_thumbnailSlider->SetImages(urls, std::map<std::wstring, std::wstring>());
}

void PlazaPublicComponentDetailPanel::RefreshLegends()
{
    if (!m_component) {
        ShowLegends({});
        return;
    }
    auto* reply = PublicComponentService::Get()->GetLegend(SoftwareCode(), SoftwareVersion(), m_component->Id);
    if (!reply) {
        ShowLegends({});
        return;
    }
    const QPointer<PlazaPublicComponentDetailPanel> panel(this);
    // A reply still on its way when the panel goes is deleted with it.
    reply->setParent(this);
    connect(reply, &CustomReplyBase::Finished, reply, [reply, panel] {
        if (!panel) {
            reply->deleteLater();
            return;
        }
        if (!reply->Error().empty()) {
            panel->ShowLegends({});
            reply->deleteLater();
            return;
        }
        const LegendList result = reply->Result();
        reply->deleteLater();
        if (!result.empty()) {
            panel->ShowLegends(result);
        } else if (panel->m_component && !panel->m_component->Legends.empty()) {
            // The server has none: fall back on the legends the record itself carries.
            panel->ShowLegends(panel->m_component->Legends);
        } else {
            panel->ShowLegends({});
        }
    });
}

void PlazaPublicComponentDetailPanel::ShowLegends(std::vector<std::shared_ptr<ILegend>> legends)
{
    m_legendsPane->SetLegends(legends);
    m_legendsPane->Expand(true);
    m_legendsPane->setVisible(!legends.empty());
}

void PlazaPublicComponentDetailPanel::RefreshSpecifications()
{
    // Clearing a filled selector reports index -1, which clears the parameters.
    m_specificationSelector->clear();
    if (!m_component) {
        return;
    }
    for (const std::shared_ptr<ISpecification>& specification : m_component->Specifications) {
        if (!specification) {
            continue;
        }
        // The first item made current requests its specification.
        m_specificationSelector->insertItem(m_specificationSelector->count(), QIcon(),
                                            QString::fromStdWString(specification->Name),
                                            QVariant(QString::fromStdWString(specification->Id)));
    }
}

void PlazaPublicComponentDetailPanel::OnSelectedSpecificationChanged(int index)
{
    m_currentSpecification.reset();
    m_previewMox3DButton->hide();
    if (!m_specificationSelector || !m_component) {
        m_parametersPane->SetParameters({});
        return;
    }
    const QString specificationId = m_specificationSelector->itemData(index, SpecificationIdRole).toString();
    if (specificationId.isEmpty()) {
        m_parametersPane->SetParameters({});
        return;
    }
    auto* reply = PublicComponentService::Get()->GetSpecification(SoftwareCode(), SoftwareVersion(),
                                                                  m_component->Id, specificationId.toStdWString());
    if (!reply) {
        m_parametersPane->SetParameters({});
        return;
    }
    const QPointer<PlazaPublicComponentDetailPanel> panel(this);
    reply->setParent(this);
    connect(reply, &CustomReplyBase::Finished, reply, [reply, panel] {
        if (!panel) {
            reply->deleteLater();
            return;
        }
        if (!reply->Error().empty()) {
            panel->m_parametersPane->SetParameters({});
            reply->deleteLater();
            return;
        }
        const std::shared_ptr<ISpecification> specification = reply->Result();
        reply->deleteLater();
        if (!specification) {
            panel->m_parametersPane->SetParameters({});
            return;
        }
        panel->m_currentSpecification = specification;
        panel->m_previewMox3DButton->show();
        std::vector<std::shared_ptr<IParameter>> visible;
        for (const auto& [key, parameter] : specification->Parameters) {
            if (parameter && parameter->IsVisible()) {
                visible.push_back(parameter);
            }
        }
        panel->m_parametersPane->SetParameters(visible);
    });
}

void PlazaPublicComponentDetailPanel::HandlePreviewMox3D()
{
    if (!m_previewWindow || !m_component) {
        return;
    }
    PublicComponentWorkflowArgument argument;
    argument.ComponentId = m_component->Id;
    argument.ComponentName = m_component->Name;
    argument.SoftwareVersion = SoftwareVersion();

    // The preview shows every parameter, the hidden ones too.
    std::vector<std::shared_ptr<IParameter>> parameters;
    if (m_currentSpecification) {
        for (const auto& [key, parameter] : m_currentSpecification->Parameters) {
            if (parameter) {
                parameters.push_back(parameter);
            }
        }
    }

    KelBulletin* created = KelBulletin::Create(nullptr);
    if (!created) {
        return;
    }
    created->ConfigIcon(BusyIcon)->ConfigMessage(tr("正在准备，请稍候..."));
    created->show();
    // Bulletins delete themselves when closed; the handlers must not outlive one.
    const QPointer<KelBulletin> bulletin(created);

    auto* workflow = DownloadPublicComponentWorkflow::Create(argument, nullptr);
    const QPointer<PlazaPublicComponentDetailPanel> panel(this);
    connect(
        workflow, &WorkflowBase::Finished, workflow,
        [bulletin, panel, parameters](bool success, std::wstring message) {
            if (!success) {
                return;
            }
            if (bulletin) {
                bulletin->close();
            }
            if (panel && panel->m_previewWindow) {
                panel->m_previewWindow->Previewer()->Load(message, parameters);
                panel->m_previewWindow->showNormal();
            }
        },
        Qt::DirectConnection);
    connect(
        workflow, &WorkflowBase::Finished, workflow,
        [bulletin](bool success, std::wstring) {
            if (success) {
                return;
            }
            if (bulletin) {
                bulletin->close();
            }
            // Whatever the workflow says, the user is told the same.
            KelBulletin::SingleShot(tr("获取构件失败"), FailureIcon, FailureNoticeDuration, nullptr);
        },
        Qt::DirectConnection);
    connect(
        workflow, &WorkflowBase::Report, workflow,
        [bulletin](std::wstring message) {
            if (bulletin) {
                bulletin->ConfigIcon(BusyIcon)->ConfigMessage(QString::fromStdWString(message));
            }
        },
        Qt::DirectConnection);
    workflow->Proceed(true);
}

} // namespace vela
