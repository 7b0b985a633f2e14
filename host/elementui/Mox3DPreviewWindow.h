#pragma once

#include "WindowBase.h"

namespace vela {

class Mox3DPreviewer;

// The window of the 3D preview; it is kept and reused between previews.
class VELA_ELEMENTUI_EXPORT Mox3DPreviewWindow : public WindowBase
{
    Q_OBJECT

public:
    explicit Mox3DPreviewWindow(QWidget* parent);

    Mox3DPreviewer* Previewer() const { return m_previewer; }

private:
    void InitUI();

    Mox3DPreviewer* m_previewer = nullptr;
};

} // namespace vela
