#include "Mox3DPreviewWindow.h"

#include "Mox3DPreviewer.h"

#include <QVBoxLayout>

namespace vela {

Mox3DPreviewWindow::Mox3DPreviewWindow(QWidget* parent)
    : WindowBase(parent)
{
    InitUI();
}

void Mox3DPreviewWindow::InitUI()
{
    setWindowTitle(tr("3D预览"));
    setMinimumSize(480, 320);
    resize(960, 640);

    auto* layout = new QVBoxLayout(ContentArea());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_previewer = new Mox3DPreviewer(ContentArea());
    m_previewer->setObjectName(QStringLiteral("Mox3DPreviewer"));
    layout->addWidget(m_previewer);
}

} // namespace vela
