#pragma once

#include "vela_elementui_export.h"

#include <QStringList>
#include <QWidget>

#include <vector>

class QHBoxLayout;
class QPushButton;

namespace vela {

// Page navigation for results shown 20 at a time: previous, page numbers
// with ellipses, next. A page picked by the user is reported; ReShuffle()
// does not report.
class VELA_ELEMENTUI_EXPORT Pager : public QWidget
{
    Q_OBJECT

public:
    static constexpr unsigned long long PageSize = 20;

    explicit Pager(QWidget* parent);

    // Shows `total` results with `current` (from 1) as the current page.
    void ReShuffle(unsigned long long total, unsigned long long current);

    unsigned long long Total() const;
    unsigned long long CurrentPage() const;
    unsigned long long PageCount() const;
    // The page buttons shown, left to right ("..." for an ellipsis).
    QStringList PageLabels() const;

signals:
    void CurrentPageChanged(unsigned long long page);

private:
    void Rebuild();
    void GoTo(unsigned long long page);

    unsigned long long m_total = 0;
    unsigned long long m_current = 1;
    QHBoxLayout* m_buttons = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    // Page buttons are reused, never deleted, so a click can safely rebuild them.
    std::vector<QPushButton*> m_slots;
    std::vector<unsigned long long> m_slotPages;
};

} // namespace vela
