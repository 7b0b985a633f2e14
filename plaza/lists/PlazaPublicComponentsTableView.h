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

    int m_rowHeight;
    int m_headerHeight;
    int m_leftBorderWidth;
    int m_topBorderWidth;
    int m_rightBorderWidth;
    int m_bottomBorderWidth;
    int m_topLeftRadius;
    int m_topRightRadius;
    int m_bottomRightRadius;
    int m_bottomLeftRadius;
    QColor m_borderColor;
};

} // namespace vela
