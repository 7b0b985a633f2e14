#pragma once

#include "plaza_export.h"

#include <QColor>
#include <QTableView>

namespace vela {

class PlazaPublicComponentItemDelegate;
class PlazaPublicComponentsTableHeaderView;
class PlazaPublicComponentsTableModel;

// The list-mode display of a page: a borderless white table with a check-all
// header; it owns its model, delegate and header.
class PLAZA_EXPORT PlazaPublicComponentsTableView : public QTableView
{
    Q_OBJECT

public:
    explicit PlazaPublicComponentsTableView(QWidget* parent);

    PlazaPublicComponentsTableHeaderView* HorizontalHeader() const;
    PlazaPublicComponentItemDelegate* ItemDelegate() const;
    PlazaPublicComponentsTableModel* Model() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Init();

    const int m_rowHeight;
    const int m_headerHeight;
    const int m_leftBorderWidth;
    const int m_topBorderWidth;
    const int m_rightBorderWidth;
    const int m_bottomBorderWidth;
    const int m_topLeftRadius;
    const int m_topRightRadius;
    const int m_bottomRightRadius;
    const int m_bottomLeftRadius;
    const QColor m_borderColor;
};

} // namespace vela
