#include "PlazaTour.h"

#include "CategoriesTreeView.h"
#include "ConditionFiltersPane.h"
#include "ConditionValuesPane.h"
#include "HostMainWindow.h"
#include "Pager.h"
#include "PlazaMainWindow.h"
#include "PlazaPublicComponentsCardListModel.h"
#include "PlazaPublicComponentsCardListView.h"
#include "PlazaPublicComponentsTableModel.h"
#include "PlazaPublicComponentsTableView.h"
#include "SearchTextBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace plazahost {

namespace {

constexpr int PollInterval = 25;
constexpr int MaxAttempts = 400; // ten seconds

QWidget* Plaza()
{
    return vela::PlazaMainWindow::Get();
}

template <class T>
T* PlazaChild(const char* objectName)
{
    return Plaza() ? Plaza()->findChild<T*>(QString::fromLatin1(objectName)) : nullptr;
}

template <class T>
T* PlazaChild()
{
    return Plaza() ? Plaza()->findChild<T*>() : nullptr;
}

// Types text as an input method commits it, then presses Return when asked.
void Type(QWidget* widget, const QString& text, bool pressReturn)
{
    for (const QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
        QApplication::sendEvent(widget, &press);
    }
    if (pressReturn) {
        QTest::keyClick(widget, Qt::Key_Return);
    }
}

QAbstractButton* ButtonWithText(QWidget* parent, const QString& text)
{
    if (!parent) {
        return nullptr;
    }
    for (QAbstractButton* button : parent->findChildren<QAbstractButton*>()) {
        if (button->text() == text && button->isVisible()) {
            return button;
        }
    }
    return nullptr;
}

void Click(QWidget* widget)
{
    if (widget) {
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
    }
}

// The first leaf category holding matches, in tree order.
QModelIndex FirstLeafWithMatches(vela::CategoriesTreeModel* model, const QModelIndex& parent)
{
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex index = model->index(row, 0, parent);
        const vela::ICategory* category = model->CategoryAt(index);
        if (category && category->IsLeaf() && category->HasMatches) {
            return index;
        }
        const QModelIndex below = FirstLeafWithMatches(model, index);
        if (below.isValid()) {
            return below;
        }
    }
    return QModelIndex();
}

void ClickTableCheckBox(int row)
{
    auto* table = PlazaChild<vela::PlazaPublicComponentsTableView>();
    if (!table || row >= table->Model()->rowCount()) {
        return;
    }
    const QRect cell = table->visualRect(table->Model()->index(row, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
}

} // namespace

PlazaTour::PlazaTour(HostMainWindow* host, const QString& outputFolder)
    : m_host(host)
    , m_output(outputFolder)
{
    m_output.mkpath(QStringLiteral("."));
    AddSteps();
}

QStringList PlazaTour::FailedSteps() const
{
    return m_failed;
}

void PlazaTour::AddStep(const QString& name, std::function<void()> action, std::function<bool()> ready,
                        std::function<std::function<bool()>()> makeReady)
{
    Step step;
    step.Name = name;
    step.Action = std::move(action);
    step.Ready = std::move(ready);
    step.MakeReady = std::move(makeReady);
    m_steps.push_back(std::move(step));
}

void PlazaTour::AddSteps()
{
    // A browsing step waits for the next page of results to reach the lists.
    const auto browse = [this](const QString& name, std::function<void()> action) {
        AddStep(name, std::move(action), nullptr, [this] {
            const int expected = m_pagesShown + 1;
            return [this, expected] { return m_pagesShown >= expected; };
        });
    };

    AddStep(QStringLiteral("window"),
                       [this] {
                           m_host->OpenPlaza();
                           QObject::connect(PlazaChild<vela::PlazaPublicComponentsCardListView>()->Model(),
                                            &vela::PlazaPublicComponentsCardListModel::ListUpdated, this,
                                            [this] { ++m_pagesShown; });
                       },
                       [this] { return Plaza() && Plaza()->isVisible() && m_pagesShown > 0; });
    browse(QStringLiteral("search"), [] {
        Type(PlazaChild<vela::SearchTextBox>(), QStringLiteral("门"), true);
    });
    browse(QStringLiteral("leaf-category"), [] {
        auto* tree = PlazaChild<vela::CategoriesTreeView>();
        const QModelIndex leaf = FirstLeafWithMatches(tree->Model(), QModelIndex());
        if (!leaf.isValid()) {
            return;
        }
        tree->scrollTo(leaf);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, tree->visualRect(leaf).center());
    });
    browse(QStringLiteral("enumerated-filter"), [] {
        auto* pane = PlazaChild<vela::ConditionFiltersPane>();
        auto* combo = pane ? pane->findChild<QComboBox*>() : nullptr;
        if (combo) {
            combo->setFocus();
            QTest::keyClick(combo, Qt::Key_Down);
        }
    });
    browse(QStringLiteral("range-filter"), [] {
        auto* pane = PlazaChild<vela::ConditionFiltersPane>();
        const QList<QLineEdit*> inputs = pane ? pane->findChildren<QLineEdit*>() : QList<QLineEdit*>();
        QLineEdit* minimum = nullptr;
        for (QLineEdit* input : inputs) {
            if (!qobject_cast<QComboBox*>(input->parentWidget())) {
                minimum = input;
                break;
            }
        }
        if (minimum) {
            minimum->setFocus();
            Type(minimum, QStringLiteral("1"), true);
        }
    });
    browse(QStringLiteral("cleared"), [] {
        Click(ButtonWithText(PlazaChild<vela::ConditionValuesPane>(), QStringLiteral("清空条件")));
    });
    browse(QStringLiteral("page-2"), [] { Click(ButtonWithText(PlazaChild<vela::Pager>(), QStringLiteral("2"))); });
    AddStep(QStringLiteral("table"),
                       [] { Click(PlazaChild<QPushButton>("SwitchToListModeButton")); },
                       [] {
                           auto* table = PlazaChild<vela::PlazaPublicComponentsTableView>();
                           return table && table->isVisible();
                       });
    AddStep(QStringLiteral("checked-page-2"),
                       [] {
                           ClickTableCheckBox(1);
                           ClickTableCheckBox(3);
                       },
                       [] { return PlazaChild<QPushButton>("PlazaPublicBatchLoadButton")->isEnabled(); });
    browse(QStringLiteral("checked-page-3"), [] {
        Click(ButtonWithText(PlazaChild<vela::Pager>(), QStringLiteral("3")));
    });
    AddStep(QStringLiteral("checked-across-pages"), [] { ClickTableCheckBox(0); },
                       [] {
                           return PlazaChild<QPushButton>("PlazaPublicBatchLoadButton")->text().endsWith(
                               QStringLiteral("(3)"));
                       });
    AddStep(QStringLiteral("offline"), [this] { m_host->SetOffline(true); },
                       [] {
                           auto* offline = PlazaChild<QWidget>("ComponentsNoNetworkBaseWidget");
                           return offline && offline->isVisible();
                       });
    browse(QStringLiteral("back-online"), [this] { m_host->SetOffline(false); });
}

void PlazaTour::Start()
{
    QTimer::singleShot(0, this, [this] { RunStep(0); });
}

void PlazaTour::RunStep(size_t index)
{
    if (index >= m_steps.size()) {
        if (Plaza() && Plaza()->isVisible()) {
            vela::PlazaMainWindow::Get()->accept();
        }
        emit Done();
        return;
    }
    Step& step = m_steps[index];
    if (step.MakeReady) {
        step.Ready = step.MakeReady();
    }
    step.Action();
    WaitForStep(index, 0);
}

void PlazaTour::WaitForStep(size_t index, int attempt)
{
    const Step& step = m_steps[index];
    const bool ready = step.Ready();
    if (!ready && attempt < MaxAttempts) {
        QTimer::singleShot(PollInterval, this, [this, index, attempt] { WaitForStep(index, attempt + 1); });
        return;
    }
    if (!ready) {
        m_failed.append(step.Name);
        std::fprintf(stderr, "tour: step '%s' did not complete in time\n", qPrintable(step.Name));
    }
    // Let pending repaints (thumbnails, layouts) land before the picture is taken.
    QTimer::singleShot(150, this, [this, index] {
        SaveScreenshot(m_steps[index], index);
        RunStep(index + 1);
    });
}

void PlazaTour::SaveScreenshot(const Step& step, size_t index)
{
    QWidget* window = Plaza() && Plaza()->isVisible() ? Plaza() : static_cast<QWidget*>(m_host);
    const QString file = m_output.filePath(QStringLiteral("%1-%2.png").arg(index + 1, 2, 10, QLatin1Char('0')).arg(step.Name));
    window->grab().save(file);
    std::printf("tour: %s\n", qPrintable(file));
    std::fflush(stdout);
}

} // namespace plazahost
