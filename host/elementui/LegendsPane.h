#pragma once

#include "ILegend.h"
#include "vela_elementui_export.h"

#include <QHash>
#include <QWidget>

#include <memory>
#include <vector>

class QHBoxLayout;
class QLabel;
class QScrollArea;
class QToolButton;

namespace vela {

class UrlImageProvider;

// A collapsible strip of legend pictures, each with its caption.
class VELA_ELEMENTUI_EXPORT LegendsPane : public QWidget
{
    Q_OBJECT

public:
    explicit LegendsPane(QWidget* parent);

    // Replaces the pictures; null entries are skipped.
    void SetLegends(const std::vector<std::shared_ptr<ILegend>>& legends);
    std::vector<std::shared_ptr<ILegend>> Legends() const { return m_legends; }

    void Expand(bool expanded);
    bool IsExpanded() const { return m_expanded; }
    // Whether the picture of the legend at `index` has arrived.
    bool IsImageReady(int index) const;

signals:
    void ExpandedChanged(bool expanded);

private:
    void InitUI();
    QWidget* CreateTile(const ILegend& legend);
    void HandleImageProvided(const std::wstring& key, const std::shared_ptr<QImage>& image);

    std::vector<std::shared_ptr<ILegend>> m_legends;
    UrlImageProvider* m_provider = nullptr;
    QToolButton* m_toggleButton = nullptr;
    QScrollArea* m_scrollArea = nullptr;
    QWidget* m_strip = nullptr;
    QHBoxLayout* m_stripLayout = nullptr;
    // Picture labels waiting for or showing the image of a URL.
    QMultiHash<QString, QLabel*> m_pictures;
    bool m_expanded = true;
};

} // namespace vela
