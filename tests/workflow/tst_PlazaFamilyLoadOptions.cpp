#include "FamilyLoadOptionsDefaultImpl.h"
#include "FamilyOverwriteOptions.h"
#include "FamilyOverwriteOptionsDialog.h"
#include "FamilyType.h"
#include "KelMessageDialog.h"
#include "ModalSteps.h"
#include "OpenPlazaPublicFamilyLoadOptions.h"
#include "SilentPlazaPublicFamilyLoadOptions.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace vela;

namespace {

FamilyConflictInfo Conflict(bool withInstances)
{
    return {L"单扇门", L"单扇门(1)", withInstances};
}

std::unique_ptr<tarn::FamilyType> Type(const wchar_t* name)
{
    return std::make_unique<tarn::FamilyType>(name, tarn::UniIdentity::Create(), QVector<tarn::ComponentFile::Parameter>());
}

// The overwrite dialogs on screen; the dialog is shown before its modal loop
// starts, so the application does not list it as its modal widget.
QList<FamilyOverwriteOptionsDialog*> VisibleDialogs()
{
    QList<FamilyOverwriteOptionsDialog*> visible;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<FamilyOverwriteOptionsDialog*>(widget); dialog && dialog->isVisible()) {
            visible << dialog;
        }
    }
    return visible;
}

// The visible dialog other than `open`, or null.
FamilyOverwriteOptionsDialog* Other(FamilyOverwriteOptionsDialog* open)
{
    for (FamilyOverwriteOptionsDialog* dialog : VisibleDialogs()) {
        if (dialog != open) {
            return dialog;
        }
    }
    return nullptr;
}

QString QuestionOf(FamilyOverwriteOptionsDialog* dialog)
{
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        if (label->wordWrap()) {
            return label->text();
        }
    }
    return QString();
}

// The question and the offered types of a dialog, then its own selection made and accepted.
QStringList ReadAndPick(FamilyOverwriteOptionsDialog* dialog, int entry)
{
    QStringList seen{QuestionOf(dialog)};
    auto* combo = dialog->findChild<QComboBox*>();
    for (int i = 0; i < combo->count(); ++i) {
        seen << combo->itemText(i);
    }
    combo->setCurrentIndex(entry);
    QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
    return seen;
}

} // namespace

class tst_PlazaFamilyLoadOptions : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void questionNamesTheConflict_data();
    void questionNamesTheConflict();
    void dialogResultsMapToActions_data();
    void dialogResultsMapToActions();
    void silentModesAnswerWithoutAsking_data();
    void silentModesAnswerWithoutAsking();
    void namesakeCandidateIsTakenSilently();
    void repeatedNamesAreOfferedOnce();
    void closingTheOverwriteDialogChoosesNothing();
    void overwriteQuestionWhileAnotherIsOpenStacksAbove();
};

void tst_PlazaFamilyLoadOptions::init()
{
    KelMessageDialog::ClearQueuedAnswers();
    KelMessageDialog::ClearHistory();
}

void tst_PlazaFamilyLoadOptions::questionNamesTheConflict_data()
{
    QTest::addColumn<bool>("withInstances");
    QTest::addColumn<QString>("question");
    QTest::newRow("no instances") << false
                                  << QStringLiteral("项目中已存在“单扇门”，选择需要进行的操作?\r\n\r\n"
                                                    "重命名：名称更改为“单扇门(1)”\r\n覆盖：覆盖项目中重名构件");
    QTest::newRow("instances in canvas") << true
                                         << QStringLiteral("项目中已存在“单扇门”，且画布中有此构件实例，选择需要进行的操作?\r\n\r\n"
                                                           "重命名：名称更改为“单扇门(1)”\r\n覆盖：覆盖项目中重名构件");
}

void tst_PlazaFamilyLoadOptions::questionNamesTheConflict()
{
    QFETCH(bool, withInstances);
    QFETCH(QString, question);
    KelMessageDialog::QueueAnswer(2);
    FamilyConflictAction action = FamilyConflictAction::Rename;
    OpenPlazaPublicFamilyLoadOptions().GetFamilyLoadOptions(action, Conflict(withInstances));

    const QVector<KelMessageDialog::Record> history = KelMessageDialog::History();
    QCOMPARE(history.size(), 1);
    QCOMPARE(history.front().Text, question);
    QCOMPARE(history.front().Icon, 1);
    QCOMPARE(history.front().Buttons, 14);
}

void tst_PlazaFamilyLoadOptions::dialogResultsMapToActions_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("strategy"); // -1: no options
    QTest::newRow("closed or cancelled") << 2 << int(FamilyConflictAction::Cancel) << -1;
    QTest::newRow("rename button") << 4 << int(FamilyConflictAction::Rename) << 0;
    QTest::newRow("overwrite button") << 8 << int(FamilyConflictAction::Overwrite) << 1;
    QTest::newRow("any other result") << 1 << int(FamilyConflictAction::Overwrite) << 1;
}

void tst_PlazaFamilyLoadOptions::dialogResultsMapToActions()
{
    QFETCH(int, button);
    QFETCH(int, action);
    QFETCH(int, strategy);
    KelMessageDialog::QueueAnswer(button);
    FamilyConflictAction answer = FamilyConflictAction::Rename;
    const std::shared_ptr<tarn::IFamilyLoadOptions> options =
        OpenPlazaPublicFamilyLoadOptions().GetFamilyLoadOptions(answer, Conflict(false));

    QCOMPARE(int(answer), action);
    QCOMPARE(options ? options->GetFamilyFoundStrategy() : -1, strategy);
    if (action == int(FamilyConflictAction::Overwrite)) {
        QVERIFY(std::dynamic_pointer_cast<FamilyOverwriteOptions>(options));
    }
    // The relabelled buttons go back to their usual texts for the next message.
    QCOMPARE(KelMessageDialog::Get(nullptr)->ButtonsByValue().at(4)->text(), QStringLiteral("是"));
}

void tst_PlazaFamilyLoadOptions::silentModesAnswerWithoutAsking_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("strategy");
    QTest::newRow("mode 1 renames") << 1 << 0;
    QTest::newRow("mode 2 overwrites") << 2 << 1;
    QTest::newRow("mode 3 cancels") << 3 << -1;
    QTest::newRow("unknown mode") << 0 << -1;
}

void tst_PlazaFamilyLoadOptions::silentModesAnswerWithoutAsking()
{
    QFETCH(int, mode);
    QFETCH(int, strategy);
    FamilyConflictAction action = FamilyConflictAction::Rename;
    const std::shared_ptr<tarn::IFamilyLoadOptions> options =
        SilentPlazaPublicFamilyLoadOptions(mode).GetFamilyLoadOptions(action, Conflict(true));
    QCOMPARE(int(action), mode);
    QCOMPARE(options ? options->GetFamilyFoundStrategy() : -1, strategy);
    QVERIFY(KelMessageDialog::History().isEmpty());
}

void tst_PlazaFamilyLoadOptions::namesakeCandidateIsTakenSilently()
{
    const auto other = Type(L"M1021");
    const auto namesake = Type(L"M0921");
    FamilyOverwriteOptions options(1);
    tarn::UniIdentity chosen;
    const bool nothing = options.TryChooseReplacementType(L"M0921", 3, {other.get(), namesake.get()}, chosen);
    QVERIFY(!nothing);
    QCOMPARE(chosen, namesake->GetUniIdentity());
    QVERIFY(!FamilyOverwriteOptionsDialog::Instance(nullptr)->isVisible());
}

void tst_PlazaFamilyLoadOptions::repeatedNamesAreOfferedOnce()
{
    const auto a = Type(L"A");
    const auto b = Type(L"B");
    const auto secondA = Type(L"A");
    QStringList offered;
    // The user looks at the offered types, picks the second entry and presses the button.
    QTimer::singleShot(0, this, [&offered] { offered = ReadAndPick(FamilyOverwriteOptionsDialog::Instance(nullptr), 1).mid(1); });
    FamilyOverwriteOptions options(1);
    const tarn::UniIdentity chosen = options.ChooseReplacementType(L"M1021", 2, {a.get(), b.get(), secondA.get()});

    QCOMPARE(offered, (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    QCOMPARE(chosen, b->GetUniIdentity());
    QVERIFY(!FamilyOverwriteOptionsDialog::Instance(nullptr)->isVisible());
}

void tst_PlazaFamilyLoadOptions::closingTheOverwriteDialogChoosesNothing()
{
    const auto a = Type(L"A");
    QTimer::singleShot(0, this, [] { FamilyOverwriteOptionsDialog::Instance(nullptr)->reject(); });
    FamilyOverwriteOptions options(1);
    tarn::UniIdentity chosen = tarn::UniIdentity::Create();
    QVERIFY(options.TryChooseReplacementType(L"M1021", 1, {a.get()}, chosen));
    QVERIFY(!chosen.IsValid());
}

void tst_PlazaFamilyLoadOptions::overwriteQuestionWhileAnotherIsOpenStacksAbove()
{
    const auto a = Type(L"A");
    const auto b = Type(L"B");
    const auto c = Type(L"C");
    const auto d = Type(L"D");
    const QString aboutM1021 = QStringLiteral("覆盖用的构件中无法找到当前工作单元使用的类型M1021(有2个实例)，覆盖后该类型及实例都将删除，您也可以:");
    const QString aboutM0921 = QStringLiteral("覆盖用的构件中无法找到当前工作单元使用的类型M0921(有1个实例)，覆盖后该类型及实例都将删除，您也可以:");
    FamilyOverwriteOptions options(1);
    FamilyOverwriteOptionsDialog* first = nullptr;
    tarn::UniIdentity secondChosen;
    QStringList top;
    QStringList bottom;
    test::When([] { return VisibleDialogs().size() == 1; }, [&] {
        first = VisibleDialogs().front();
        // A second overwrite asks while the first question is open; each picks its second entry
        test::When([&] { return Other(first) != nullptr; }, [&] {
            bottom = QStringList{QuestionOf(first)};
            top = ReadAndPick(Other(first), 1);
        });
        secondChosen = options.ChooseReplacementType(L"M0921", 1, {c.get(), d.get()});
        test::When([&] { return VisibleDialogs() == QList<FamilyOverwriteOptionsDialog*>{first}; },
             [&] { bottom += ReadAndPick(first, 1); });
    });
    const tarn::UniIdentity firstChosen = options.ChooseReplacementType(L"M1021", 2, {a.get(), b.get()});

    QCOMPARE(top, (QStringList{aboutM0921, QStringLiteral("C"), QStringLiteral("D")}));
    QCOMPARE(bottom, (QStringList{aboutM1021, aboutM1021, QStringLiteral("A"), QStringLiteral("B")}));
    QCOMPARE(secondChosen, d->GetUniIdentity());
    QCOMPARE(firstChosen, b->GetUniIdentity());
    QCOMPARE(FamilyOverwriteOptionsDialog::Instance(nullptr), first);
    QVERIFY(!first->isVisible());
}

QTEST_MAIN(tst_PlazaFamilyLoadOptions)
#include "tst_PlazaFamilyLoadOptions.moc"
