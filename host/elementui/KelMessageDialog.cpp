#include "KelMessageDialog.h"

#include "StatusIcon.h"
#include "TitleBar.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace vela {

namespace {

constexpr int IconSize = 32;
constexpr int HistoryLimit = 100;
constexpr int ButtonValues[] = {4, 8, 1, 2};

QPointer<QWidget> s_defaultParent;
std::map<QWidget*, QPointer<KelMessageDialog>> s_dialogs;
std::deque<int> s_answers;
QVector<KelMessageDialog::Record> s_history;

enum IconValue { NoIcon = 0, QuestionIcon = 1, WarningIcon = 2, FailureIcon = 3, InformationIcon = 4 };

QString DefaultLabel(int buttonValue)
{
    switch (buttonValue) {
    case 1:
        return KelMessageDialog::tr("确定");
    case 2:
        return KelMessageDialog::tr("取消");
    case 4:
        return KelMessageDialog::tr("是");
    case 8:
        return KelMessageDialog::tr("否");
    default:
        return {};
    }
}

bool IsPrimary(int buttonValue)
{
    return buttonValue == 1 || buttonValue == 4;
}

StatusIcon::Shape ShapeOf(int icon)
{
    switch (icon) {
    case QuestionIcon:
        return StatusIcon::Question;
    case WarningIcon:
        return StatusIcon::Warning;
    case FailureIcon:
        return StatusIcon::Failure;
    case InformationIcon:
        return StatusIcon::Information;
    default:
        return StatusIcon::None;
    }
}

QPixmap DrawIcon(int icon)
{
    return StatusIcon(ShapeOf(icon)).ToPixmap(IconSize);
}

} // namespace

void KelMessageDialog::SetDefaultParent(QWidget* parent)
{
    s_defaultParent = parent;
}

QWidget* KelMessageDialog::DefaultParent()
{
    return s_defaultParent.data();
}

KelMessageDialog* KelMessageDialog::Get(QWidget* parent)
{
    QWidget* owner = parent ? parent : DefaultParent();
    // A parent's dialog dies with it; the guarded entry then makes a new one.
    QPointer<KelMessageDialog>& dialog = s_dialogs[owner];
    if (!dialog)
        dialog = Create(owner, false);
    if (dialog->m_asking)
        return Create(owner, true);
    return dialog.data();
}

KelMessageDialog* KelMessageDialog::Create(QWidget* owner, bool stacked)
{
    auto* dialog = new KelMessageDialog(owner);
    dialog->m_stacked = stacked;
    if (!owner && qApp)
        connect(qApp, &QCoreApplication::aboutToQuit, dialog, &QObject::deleteLater);
    return dialog;
}

KelMessageDialog::KelMessageDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    Init();
}

void KelMessageDialog::Init()
{
    setObjectName(QStringLiteral("KelMessageDialog"));
    setWindowTitle(tr("提示"));
    setMinimumWidth(280);

    QFont font(QStringLiteral("Microsoft YaHei"));
    font.setPixelSize(12);
    setFont(font);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("KelMessageDialogFrame"));
    frame->setStyleSheet(QStringLiteral(
        "QFrame#KelMessageDialogFrame{background:rgb(255,255,255);border:1px solid rgb(189,199,213);}"
        "QLabel,QPushButton{font-family:\"Microsoft YaHei\";font-size:12px;}"
        "QLabel{color:rgb(40,40,51);}"
        "QPushButton{min-width:72px;height:26px;border-radius:2px;background:rgb(255,255,255);"
        "border:1px solid rgb(189,199,213);color:rgb(40,40,51);padding:0px 10px;}"
        "QPushButton:hover{border-color:rgb(82,145,221);color:rgb(82,145,221);}"
        "QPushButton[primary=\"true\"]{background:rgb(82,145,221);border-color:rgb(82,145,221);"
        "color:rgb(255,255,255);}"
        "QPushButton[primary=\"true\"]:hover{background:rgb(104,160,228);}"));
    root->addWidget(frame);

    auto* content = new QVBoxLayout(frame);
    content->setContentsMargins(1, 1, 1, 1);
    content->setSpacing(0);

    // Title bar
    auto* titleBar = new TitleBar(frame);
    titleBar->SetMinBoxVisible(false);
    titleBar->setAutoFillBackground(true);
    QPalette titlePalette = titleBar->palette();
    titlePalette.setBrush(QPalette::Window, QColor(240, 240, 245));
    titleBar->setPalette(titlePalette);
    installEventFilter(titleBar);
    content->addWidget(titleBar);

    // Icon and text
    auto* body = new QHBoxLayout;
    body->setContentsMargins(20, 20, 20, 12);
    body->setSpacing(12);
    m_iconLabel = new QLabel(frame);
    m_iconLabel->setFixedSize(IconSize, IconSize);
    body->addWidget(m_iconLabel, 0, Qt::AlignTop);
    m_textLabel = new QLabel(frame);
    m_textLabel->setObjectName(QStringLiteral("KelMessageDialogText"));
    m_textLabel->setWordWrap(true);
    m_textLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_textLabel->setMinimumHeight(IconSize);
    m_textLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    body->addWidget(m_textLabel, 1);
    content->addLayout(body, 1);

    // Buttons
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(20, 8, 20, 16);
    buttons->setSpacing(8);
    buttons->addStretch(1);
    for (int value : ButtonValues) {
        auto* button = new QPushButton(DefaultLabel(value), frame);
        button->setObjectName(QStringLiteral("KelMessageDialogButton%1").arg(value));
        button->setProperty("primary", IsPrimary(value));
        button->setCursor(Qt::PointingHandCursor);
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, value] {
            m_result = ResultOf(value);
            accept();
        });
        m_buttons[value] = button;
    }
    content->addLayout(buttons);
}

KelMessageDialog* KelMessageDialog::ConfigDialogSize(int width, int height)
{
    m_width = width;
    m_height = height;
    return this;
}

int KelMessageDialog::Show(const QString& text, int icon, int buttons)
{
    if (m_asking) {
        // A caller kept this dialog while it asks another question: the
        // question on screen gets its labels back, the newcomer a dialog of its own.
        const std::map<int, QString> requested = Labels();
        SetLabels(m_askedLabels);
        KelMessageDialog* stacked = Create(parentWidget(), true);
        stacked->SetLabels(requested);
        stacked->ConfigDialogSize(m_width, m_height);
        return stacked->Show(text, icon, buttons);
    }

    m_textLabel->setText(text);
    const QPixmap pixmap = DrawIcon(icon);
    m_iconLabel->setPixmap(pixmap);
    m_iconLabel->setVisible(icon > NoIcon && icon <= InformationIcon);

    // A message without any known button still gets one to dismiss it.
    const int shown = (buttons & (1 | 2 | 4 | 8)) ? buttons : 1;
    QPushButton* defaultButton = nullptr;
    for (auto& [value, button] : m_buttons) {
        if (!button)
            continue;
        button->setVisible(shown & value);
        button->setDefault(false);
        if ((shown & value) && IsPrimary(value) && !defaultButton)
            defaultButton = button;
    }
    if (defaultButton)
        defaultButton->setDefault(true);

    const QPointer<KelMessageDialog> alive(this);
    int result = Cancelled;
    if (!s_answers.empty()) {
        result = ResultOf(s_answers.front());
        s_answers.pop_front();
    } else {
        result = RunModal();
    }

    Record record;
    record.Text = text;
    record.Icon = icon;
    record.Buttons = buttons;
    record.Result = result;
    s_history.append(record);
    if (s_history.size() > HistoryLimit)
        s_history.remove(0, s_history.size() - HistoryLimit);

    // The dialog died with its parent during the question: nothing left to reset.
    if (!alive)
        return result;
    // Relabelling lasts for one message; the next caller sees the usual labels.
    ResetLabels();
    if (m_stacked)
        deleteLater();
    return result;
}

int KelMessageDialog::RunModal()
{
    ApplySize();
    m_result = Cancelled;
    m_askedLabels = Labels();
    m_asking = true;
    const QPointer<KelMessageDialog> alive(this);
    exec();
    // The parent died during the question and took this dialog with it.
    if (!alive)
        return Cancelled;
    m_asking = false;
    return m_result;
}

std::map<int, QString> KelMessageDialog::Labels() const
{
    std::map<int, QString> labels;
    for (const auto& [value, button] : m_buttons) {
        if (button)
            labels[value] = button->text();
    }
    return labels;
}

void KelMessageDialog::SetLabels(const std::map<int, QString>& labels)
{
    for (const auto& [value, text] : labels) {
        const auto found = m_buttons.find(value);
        if (found != m_buttons.end() && found->second)
            found->second->setText(text);
    }
}

void KelMessageDialog::ResetLabels()
{
    for (auto& [value, button] : m_buttons) {
        if (button)
            button->setText(DefaultLabel(value));
    }
}

void KelMessageDialog::ApplySize()
{
    if (m_width > 0) {
        setFixedWidth(m_width);
    } else {
        setMinimumWidth(280);
        setMaximumWidth(QWIDGETSIZE_MAX);
    }
    if (m_height > 0) {
        setFixedHeight(m_height);
        return;
    }
    setMinimumHeight(0);
    setMaximumHeight(QWIDGETSIZE_MAX);
    // The wrapped text decides the height at the chosen width.
    const int width = m_width > 0 ? m_width : std::max(minimumWidth(), sizeHint().width());
    const int height = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width) : sizeHint().height();
    resize(width, height);
}

std::map<int, QPushButton*>& KelMessageDialog::ButtonsByValue()
{
    return m_buttons;
}

void KelMessageDialog::QueueAnswer(int buttonValue)
{
    s_answers.push_back(buttonValue);
}

void KelMessageDialog::ClearQueuedAnswers()
{
    s_answers.clear();
}

QVector<KelMessageDialog::Record> KelMessageDialog::History()
{
    return s_history;
}

void KelMessageDialog::ClearHistory()
{
    s_history.clear();
}

int KelMessageDialog::ResultOf(int buttonValue)
{
    switch (buttonValue) {
    case 1:
        return Ok;
    case 4:
        return Yes;
    case 8:
        return No;
    default:
        return Cancelled;
    }
}

} // namespace vela
