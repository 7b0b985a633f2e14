#include "PlazaTour.h"

#include "CategoriesTreeView.h"
#include "ConditionFiltersPane.h"
#include "ConditionValuesPane.h"
#include "HostMainWindow.h"
#include "KelBulletin.h"
#include "Pager.h"
#include "PlazaMainWindow.h"
#include "PlazaPublicComponentsCardListModel.h"
#include "PlazaPublicComponentsCardListView.h"
#include "PlazaPublicComponentsTableModel.h"
#include "PlazaPublicComponentsTableView.h"
#include "AppService.h"
#include "Document.h"
#include "FamilyOverwriteOptionsDialog.h"
#include "KelMessageDialog.h"
#include "Mox3DPreviewWindow.h"
#include "Mox3DPreviewer.h"
#include "ModelViewport.h"
#include "PublicComponentRepeatCheckDialog.h"
#include "SearchTextBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QIcon>
#include <QImage>
#include <QListView>
#include <QPainter>
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
constexpr int MaxThumbnailAttempts = 400; // ten seconds: a slow server sends a page of thumbnails a few at a time
// Time for pending repaints (thumbnails, layouts) to land before a picture is taken.
constexpr int SettleDelay = 150;
// A passing state may end any moment: its picture is taken almost at once.
constexpr int PassingSettleDelay = 30;

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

QListView* CardView()
{
    return PlazaChild<QListView>("PlazaPublicComponentsCardListView");
}

// The offscreen platform has no pointer, so hover is announced as the window system would.
void HoverAt(QWidget* widget, const QPoint& point)
{
    QTest::mouseMove(widget, point);
    QHoverEvent enter(QEvent::HoverEnter, point, QPoint(-1, -1));
    QApplication::sendEvent(widget, &enter);
    QHoverEvent move(QEvent::HoverMove, point, point);
    QApplication::sendEvent(widget, &move);
}

// A point of card `row`, relative to the card's top-left corner.
void ClickCard(int row, const QPoint& offset, bool hoverFirst)
{
    QListView* cards = CardView();
    if (!cards || row < 0 || row >= cards->model()->rowCount()) {
        return;
    }
    const QPoint point = cards->visualRect(cards->model()->index(row, 0)).topLeft() + offset;
    if (hoverFirst) {
        HoverAt(cards->viewport(), point);
    }
    QTest::mouseClick(cards->viewport(), Qt::LeftButton, Qt::NoModifier, point);
}

// Button centres of a 128 x 136 card: the check box, and the two buttons of
// the Sorn layout or the single button of the others.
const QPoint CardCheckBox(14, 13);
const QPoint CardPlaceButton(32, 94);
const QPoint CardLoadButton(95, 94);
const QPoint CardSingleButton(64, 94);
const QPoint CardAddButton(64, 98);

// The card showing a component of that name, or -1.
int CardRow(const QString& name)
{
    QListView* cards = CardView();
    for (int row = 0; cards && row < cards->model()->rowCount(); ++row) {
        if (cards->model()->index(row, 0).data().toString() == name) {
            return row;
        }
    }
    return -1;
}

QWidget* VisibleTopLevel(const std::function<bool(QWidget*)>& accept)
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && accept(widget)) {
            return widget;
        }
    }
    return nullptr;
}

// The picture a card shows while its thumbnail is on its way, as a card draws it.
const QImage& PlaceholderImage(const QSize& size)
{
    static QImage s_image;
    if (s_image.size() != size) {
        s_image = QIcon(QPixmap(QStringLiteral(":/images/default_thumbnail.png"))).pixmap(size).toImage();
    }
    return s_image;
}

// Whether a card or table row in sight still draws the placeholder instead of its thumbnail.
bool VisibleRowsWaitForThumbnails()
{
    constexpr QSize Side(48, 48);
    const QList<QAbstractItemView*> views{CardView(), PlazaChild<vela::PlazaPublicComponentsTableView>()};
    for (QAbstractItemView* view : views) {
        if (!view || !view->isVisible()) {
            continue;
        }
        const QAbstractItemModel* model = view->model();
        const QRect sight = view->viewport()->rect();
        for (int row = 0; row < model->rowCount(); ++row) {
            for (int column = 0; column < model->columnCount(); ++column) {
                const QModelIndex index = model->index(row, column);
                const QVariant decoration = index.data(Qt::DecorationRole);
                if (!decoration.canConvert<QIcon>() || !view->visualRect(index).intersects(sight)) {
                    continue;
                }
                if (decoration.value<QIcon>().pixmap(Side).toImage() == PlaceholderImage(Side)) {
                    return true;
                }
            }
        }
    }
    return false;
}

bool BulletinShown()
{
    for (vela::KelBulletin* bulletin : vela::KelBulletin::OpenBulletins()) {
        if (bulletin->isVisible()) {
            return true;
        }
    }
    return false;
}

vela::Mox3DPreviewWindow* PreviewWindow()
{
    return qobject_cast<vela::Mox3DPreviewWindow*>(
        VisibleTopLevel([](QWidget* w) { return qobject_cast<vela::Mox3DPreviewWindow*>(w) != nullptr; }));
}

size_t FamilyCount(HostMainWindow* host)
{
    return host->Document() ? host->Document()->Families().size() : 0;
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
                        std::function<std::function<bool()>()> makeReady, Target target)
{
    Step step;
    step.Shot = target;
    step.Name = name;
    step.Action = std::move(action);
    step.Ready = std::move(ready);
    step.MakeReady = std::move(makeReady);
    m_steps.push_back(std::move(step));
}

void PlazaTour::AddPassingStep(const QString& name, std::function<void()> action, std::function<bool()> passing,
                               std::function<bool()> over, Target target)
{
    AddStep(name, std::move(action), [passing, over] { return passing() || over(); }, nullptr, target);
    m_steps.back().Passing = std::move(passing);
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
        Click(ButtonWithText(PlazaChild<vela::ConditionValuesPane>(),
                             QCoreApplication::translate("vela::PlazaPublicPage", "清空条件")));
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
    AddStep(QStringLiteral("cards"), [] { Click(PlazaChild<QPushButton>("SwitchToCardModeButton")); },
            [] { return CardView() && CardView()->isVisible(); });
    AddDetailSteps();

    vela::AppService* app = vela::AppService::Get();
    if (app && app->IsRivo()) {
        AddProjectSteps();
    } else {
        AddDocumentSteps();
    }
}

void PlazaTour::AddDetailSteps()
{
    AddStep(QStringLiteral("detail"), [] { ClickCard(CardRow(QStringLiteral("铝合金平开窗 C0612")), QPoint(64, 50), false); },
            [] {
                auto* frame = PlazaChild<QWidget>("DetailPanelBaseFrame");
                auto* selector = PlazaChild<QComboBox>("SpecificationSelector");
                auto* preview = PlazaChild<QWidget>("PreviewMox3DPushButton");
                return frame && frame->isVisible() && selector && selector->count() > 0 && preview
                       && preview->isVisible();
            });
    AddStep(QStringLiteral("specification"),
            [] {
                auto* selector = PlazaChild<QComboBox>("SpecificationSelector");
                if (selector && selector->count() > 1) {
                    selector->setCurrentIndex(1);
                }
            },
            [] {
                auto* preview = PlazaChild<QWidget>("PreviewMox3DPushButton");
                return preview && preview->isVisible();
            });
    const auto previewShown = [] {
        vela::Mox3DPreviewWindow* window = PreviewWindow();
        return window && !window->Previewer()->IsLoading() && window->Previewer()->Viewport()->Message().isEmpty();
    };
    AddPassingStep(QStringLiteral("preview-download"), [] { Click(PlazaChild<QWidget>("PreviewMox3DPushButton")); },
                   BulletinShown, previewShown);
    AddStep(QStringLiteral("preview-3d"), [] {}, previewShown, nullptr, Target::Preview);
    AddStep(QStringLiteral("preview-closed"),
            [] {
                if (vela::Mox3DPreviewWindow* window = PreviewWindow()) {
                    window->close();
                }
            },
            [] { return !PreviewWindow(); });
}

void PlazaTour::AddDocumentSteps()
{
    AddStep(QStringLiteral("card-hover"),
            [] {
                QListView* cards = CardView();
                if (cards && cards->model()->rowCount() > 1) {
                    const QRect card = cards->visualRect(cards->model()->index(1, 0));
                    HoverAt(cards->viewport(), card.center());
                }
            },
            [] { return true; });
    vela::AppService* app = vela::AppService::Get();
    const bool sorn = app && app->IsSorn();
    const auto dialogButton = [](int value) {
        auto* dialog = qobject_cast<vela::KelMessageDialog*>(
            VisibleTopLevel([](QWidget* w) { return qobject_cast<vela::KelMessageDialog*>(w) != nullptr; }));
        if (dialog) {
            dialog->ButtonsByValue()[value]->click();
        }
    };
    const auto questionShown = [] {
        return VisibleTopLevel([](QWidget* w) { return qobject_cast<vela::KelMessageDialog*>(w) != nullptr; })
               != nullptr;
    };

    if (!sorn) {
        AddPassingStep(QStringLiteral("loading"), [] { ClickCard(0, CardSingleButton, true); }, BulletinShown,
                       [this] { return FamilyCount(m_host) == 1; });
        AddStep(QStringLiteral("load"), [] {}, [this] { return FamilyCount(m_host) == 1; });
    } else {
        // A family of four types with one placed instance, then a one-type
        // family of the same name: renamed, then overwritten, which asks
        // which type takes over the placed instance.
        const auto placed = [this] {
            return !Plaza()->isVisible() && m_host->Document() && !m_host->Document()->Instances().empty();
        };
        AddPassingStep(QStringLiteral("placing"),
                       [] { ClickCard(CardRow(QStringLiteral("铝合金平开窗 C0612")), CardPlaceButton, true); },
                       BulletinShown, placed);
        AddStep(QStringLiteral("placed"), [] {}, placed, nullptr, Target::Host);
        AddStep(QStringLiteral("reopened"), [this] { m_host->OpenPlaza(); }, [] { return Plaza()->isVisible(); });
        const auto loadSingleType = [] {
            QTimer::singleShot(0, [] { ClickCard(CardRow(QStringLiteral("铝合金平开窗 C0912")), CardLoadButton, true); });
        };
        AddStep(QStringLiteral("conflict-question"), loadSingleType, questionShown);
        AddStep(QStringLiteral("renamed"), [dialogButton] { dialogButton(4); },
                [this] { return FamilyCount(m_host) == 2; });
        AddStep(QStringLiteral("overwrite-question"), loadSingleType, questionShown);
        AddStep(QStringLiteral("replacement-type-question"), [dialogButton] { dialogButton(8); },
                [] {
                    return VisibleTopLevel([](QWidget* w) {
                        return qobject_cast<vela::FamilyOverwriteOptionsDialog*>(w) != nullptr;
                    });
                });
        AddStep(QStringLiteral("overwritten"),
                [] {
                    QWidget* dialog = VisibleTopLevel([](QWidget* w) {
                        return qobject_cast<vela::FamilyOverwriteOptionsDialog*>(w) != nullptr;
                    });
                    if (dialog) {
                        dialog->findChild<QPushButton*>()->click();
                    }
                },
                [this] {
                    const tarn::Document* document = m_host->Document();
                    const tarn::Family* family = document ? document->FindFamily(L"铝合金平开窗") : nullptr;
                    return family && family->Types().size() == 1 && document->Instances().size() == 1;
                },
                nullptr, Target::Host);
    }
    AddStep(QStringLiteral("batch-checked"),
            [] {
                for (int row = 1; row < 4; ++row) {
                    ClickCard(row, CardCheckBox, true);
                }
            },
            [] {
                // The previous load's notice leaves first, so the batch's progress is seen alone.
                return PlazaChild<QPushButton>("PlazaPublicBatchLoadButton")->text().endsWith(QStringLiteral("(3)"))
                       && !BulletinShown();
            });
    const auto batchLoaded = [this] {
        return !PlazaChild<QPushButton>("PlazaPublicBatchLoadButton")->isEnabled() && Plaza()->isVisible()
               && FamilyCount(m_host) >= 4;
    };
    AddPassingStep(QStringLiteral("batch-progress"), [] { Click(PlazaChild<QPushButton>("PlazaPublicBatchLoadButton")); },
                   [] {
                       for (vela::KelBulletin* bulletin : vela::KelBulletin::OpenBulletins()) {
                           if (bulletin->isVisible() && bulletin->ProgressMaximum() > 0) {
                               return true;
                           }
                       }
                       return false;
                   },
                   batchLoaded);
    AddStep(QStringLiteral("batch-loaded"), [] {}, batchLoaded);
    AddStep(QStringLiteral("document"), [] {}, [] { return true; }, nullptr, Target::Host);
}

void PlazaTour::AddProjectSteps()
{
    // The collaboration module asks for components through the service; the
    // window runs modally inside that request until the user closes it.
    AddStep(QStringLiteral("project-window"),
            [this] {
                Plaza()->hide();
                QTimer::singleShot(0, m_host, [this] { m_host->AddComponentsIntoProject(QStringLiteral("P1001")); });
            },
            [] { return Plaza()->isVisible(); });
    AddStep(QStringLiteral("project-checked"),
            [] {
                ClickCard(0, CardCheckBox, true);
                ClickCard(1, CardCheckBox, true);
            },
            [] { return PlazaChild<QPushButton>("PlazaPublicBatchLoadButton")->text().endsWith(QStringLiteral("(2)")); });
    AddStep(QStringLiteral("project-added"), [] { Click(PlazaChild<QPushButton>("PlazaPublicBatchLoadButton")); },
            [] { return !PlazaChild<QPushButton>("PlazaPublicBatchLoadButton")->isEnabled(); });
    AddStep(QStringLiteral("repeat-check"),
            [] {
                ClickCard(0, CardCheckBox, true);
                ClickCard(2, CardCheckBox, true);
                QTimer::singleShot(0, [] { Click(PlazaChild<QPushButton>("PlazaPublicBatchLoadButton")); });
            },
            [] {
                return VisibleTopLevel([](QWidget* w) {
                    return qobject_cast<vela::PublicComponentRepeatCheckDialog*>(w) != nullptr;
                });
            });
    AddStep(QStringLiteral("repeated-skipped"),
            [] {
                QWidget* dialog = VisibleTopLevel([](QWidget* w) {
                    return qobject_cast<vela::PublicComponentRepeatCheckDialog*>(w) != nullptr;
                });
                if (dialog) {
                    dialog->findChild<QPushButton*>(QStringLiteral("SkipButton"))->click();
                }
            },
            [] { return !PlazaChild<QPushButton>("PlazaPublicBatchLoadButton")->isEnabled(); });
    AddStep(QStringLiteral("card-add"), [] { ClickCard(3, CardAddButton, true); }, [] { return true; });
    AddStep(QStringLiteral("project-components"), [] { vela::PlazaMainWindow::Get()->accept(); },
            [this] { return m_host->AddedIntoProjects() >= 3; }, nullptr, Target::Host);
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
    if (step.Passing) {
        QTimer::singleShot(PassingSettleDelay, this, [this, index] { FinishStep(index); });
        return;
    }
    WaitForThumbnails(index, 0);
}

void PlazaTour::WaitForThumbnails(size_t index, int attempt)
{
    if (VisibleRowsWaitForThumbnails()) {
        if (attempt < MaxThumbnailAttempts) {
            QTimer::singleShot(PollInterval, this, [this, index, attempt] { WaitForThumbnails(index, attempt + 1); });
            return;
        }
        std::fprintf(stderr, "tour: step '%s' shows rows still waiting for their thumbnails\n",
                     qPrintable(m_steps[index].Name));
    }
    QTimer::singleShot(SettleDelay, this, [this, index] { FinishStep(index); });
}

void PlazaTour::FinishStep(size_t index)
{
    const Step& step = m_steps[index];
    if (step.Passing && !step.Passing()) {
        std::printf("tour: %s passed too quickly to be pictured\n", qPrintable(step.Name));
    } else {
        SaveScreenshot(step, index);
    }
    RunStep(index + 1);
}

void PlazaTour::SaveScreenshot(const Step& step, size_t index)
{
    QWidget* window = static_cast<QWidget*>(m_host);
    if (step.Shot == Target::Preview && PreviewWindow()) {
        window = PreviewWindow();
    } else if (step.Shot == Target::Plaza && Plaza() && Plaza()->isVisible()) {
        window = Plaza();
    }
    // Bulletins and dialogs are windows of their own: paint them over the picture where they stand.
    QPixmap picture = window->grab();
    QPainter painter(&picture);
    for (QWidget* popup : QApplication::topLevelWidgets()) {
        if (window != Plaza() || popup == window || popup == m_host || popup == Plaza() || !popup->isVisible()
            || qobject_cast<vela::Mox3DPreviewWindow*>(popup)) {
            continue;
        }
        painter.drawPixmap(popup->geometry().topLeft() - window->geometry().topLeft(), popup->grab());
    }
    painter.end();
    const QString file = m_output.filePath(QStringLiteral("%1-%2.png").arg(index + 1, 2, 10, QLatin1Char('0')).arg(step.Name));
    picture.save(file);
    std::printf("tour: %s\n", qPrintable(file));
    std::fflush(stdout);
}

} // namespace plazahost
