#include "ModalSteps.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

namespace vela::test {

namespace {

void RejectVisibleDialogs()
{
    while (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        modal->reject();
    }
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible()) {
            dialog->reject();
        }
    }
}

} // namespace

void When(std::function<bool()> ready, std::function<void()> act, int triesLeft)
{
    QTimer::singleShot(10, [ready = std::move(ready), act = std::move(act), triesLeft]() mutable {
        if (ready()) {
            act();
        } else if (triesLeft <= 0) {
            RejectVisibleDialogs();
        } else {
            When(std::move(ready), std::move(act), triesLeft - 1);
        }
    });
}

} // namespace vela::test
