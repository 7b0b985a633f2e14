#include "ParametersPane.h"

#include "ScrollBarStyles.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace vela {

namespace {

constexpr int RowHeight = 32;

QFont YaHei(int pixelSize)
{
    QFont font(QStringLiteral("Microsoft YaHei"));
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace

ParametersPane::ParametersPane(QWidget* parent)
    : QWidget(parent)
{
    InitUI();
}

void ParametersPane::InitUI()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setObjectName(QStringLiteral("ParametersScrollArea"));
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setWidgetResizable(true);
    m_scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollArea->verticalScrollBar()->setStyleSheet(ScrollBarStyles::VerticalScrollBarStyle(true));
    layout->addWidget(m_scrollArea);

    m_rowsBase = new QWidget(m_scrollArea);
    m_rowsBase->setObjectName(QStringLiteral("ParametersRowsBase"));
    m_rowsBase->setStyleSheet(QStringLiteral("QWidget#ParametersRowsBase{background:rgb(255,255,255);}"));
    m_rowsLayout = new QVBoxLayout(m_rowsBase);
    m_rowsLayout->setContentsMargins(0, 0, 0, 0);
    m_rowsLayout->setSpacing(0);
    m_rowsLayout->addStretch(1);
    m_scrollArea->setWidget(m_rowsBase);

    m_emptyLabel = new QLabel(tr("暂无参数"), m_rowsBase);
    m_emptyLabel->setFont(YaHei(12));
    m_emptyLabel->setAlignment(Qt::AlignCenter);
    m_emptyLabel->setStyleSheet(QStringLiteral("QLabel{color:rgb(160,162,171);}"));
    m_emptyLabel->setFixedHeight(RowHeight * 2);
    m_rowsLayout->insertWidget(0, m_emptyLabel);
}

QString ParametersPane::ValueText(const IParameter& parameter)
{
    QString text = QString::fromStdWString(parameter.Value);
    if (!parameter.Unit.empty()) {
        text += QLatin1Char(' ') + QString::fromStdWString(parameter.Unit);
    }
    return text;
}

void ParametersPane::SetParameters(const std::vector<std::shared_ptr<IParameter>>& parameters)
{
    m_parameters.clear();
    for (const std::shared_ptr<IParameter>& parameter : parameters) {
        if (parameter) {
            m_parameters.push_back(parameter);
        }
    }

    // Every row but the empty notice and the closing stretch goes.
    while (m_rowsLayout->count() > 2) {
        QLayoutItem* item = m_rowsLayout->takeAt(1);
        delete item->widget();
        delete item;
    }
    for (size_t i = 0; i < m_parameters.size(); ++i) {
        m_rowsLayout->insertWidget(static_cast<int>(i) + 1, CreateRow(*m_parameters[i], i % 2 == 1));
    }
    m_emptyLabel->setVisible(m_parameters.empty());
    m_scrollArea->verticalScrollBar()->setValue(0);
}

QWidget* ParametersPane::CreateRow(const IParameter& parameter, bool shaded)
{
    auto* row = new QWidget(m_rowsBase);
    row->setObjectName(QStringLiteral("ParameterRow"));
    row->setAttribute(Qt::WA_StyledBackground);
    row->setFixedHeight(RowHeight);
    row->setStyleSheet(QStringLiteral("QWidget#ParameterRow{background:%1;border-bottom:1px solid rgb(233,236,240);}")
                           .arg(shaded ? QStringLiteral("rgb(248,249,251)") : QStringLiteral("rgb(255,255,255)")));

    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(12, 0, 12, 0);
    layout->setSpacing(12);

    const QString name = QString::fromStdWString(parameter.Name);
    const QString value = ValueText(parameter);

    auto* nameLabel = new QLabel(row);
    nameLabel->setFont(YaHei(12));
    nameLabel->setStyleSheet(QStringLiteral("QLabel{color:rgb(102,102,102);}"));
    nameLabel->setMinimumWidth(1);
    nameLabel->setToolTip(name);
    nameLabel->setText(name);
    layout->addWidget(nameLabel, 2);

    auto* valueLabel = new QLabel(row);
    valueLabel->setFont(YaHei(12));
    valueLabel->setStyleSheet(QStringLiteral("QLabel{color:rgb(40,40,51);}"));
    valueLabel->setMinimumWidth(1);
    valueLabel->setToolTip(value);
    valueLabel->setText(value);
    valueLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(valueLabel, 3);
    return row;
}

} // namespace vela
