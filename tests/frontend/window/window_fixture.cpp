#include "tests/frontend/window/window_fixture.h"

#include <QAbstractButton>
#include <QTest>
#include <QTimer>

void WindowTest::Open(int uiLanguage) {
    ASSERT_TRUE(folder.isValid());
    window = std::make_unique<MainWindow>(uiLanguage, SettingsPath(), &library);
    ASSERT_TRUE(window->InitializeLibrary(false));
    window->Start(false);
    // The games these tests host stay on this machine: no router is asked.
    window->Core().Online().Forwarding().SetEnabled(false);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
}

WindowTest::~WindowTest() {
    window.reset();
}

void WhenModal(std::function<void(QWidget*)> answer) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        answer(modal);
    });
    poll->start();
}

void AnswerQuestion(QWidget* box, const QString& button) {
    for (QAbstractButton* b : box->findChildren<QAbstractButton*>()) {
        if (b->text() == button) {
            b->click();
            return;
        }
    }
    ADD_FAILURE() << "no button " << button.toStdString();
}
