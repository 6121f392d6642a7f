#include "tests/frontend/window/lobby_window_driver.h"

#include <QInputDialog>
#include <QTest>

#include "frontend/ui/lobby_window.h"
#include "tests/frontend/spin_until.h"

QString LobbyWindowDriver::Status() const {
    return lobby_.status->text();
}

bool LobbyWindowDriver::StatusShowsProblem() const {
    // A problem is set apart by its colour; news is shown plain.
    return lobby_.status->styleSheet().contains(QStringLiteral("color"));
}

QList<QStringList> LobbyWindowDriver::Rows() const {
    const QAbstractItemModel& shown = *lobby_.list->model();
    QList<QStringList> rows;
    for (int row = 0; row < shown.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < shown.columnCount(); ++column)
            cells << shown.data(shown.index(row, column), Qt::DisplayRole).toString();
        rows << cells;
    }
    return rows;
}

int LobbyWindowDriver::ChosenRow() const {
    const QModelIndexList chosen = lobby_.list->selectionModel()->selectedRows();
    return chosen.isEmpty() ? -1 : chosen.front().row();
}

QPoint LobbyWindowDriver::RowCentre(int row) const {
    return lobby_.list->visualRect(lobby_.list->model()->index(row, 0)).center();
}

void LobbyWindowDriver::ClickRow(int row) {
    QTest::mouseClick(lobby_.list->viewport(), Qt::LeftButton, {}, RowCentre(row));
}

void LobbyWindowDriver::DoubleClickRow(int row) {
    ClickRow(row);
    QTest::mouseDClick(lobby_.list->viewport(), Qt::LeftButton, {}, RowCentre(row));
}

bool LobbyWindowDriver::JoinOffered() const {
    return lobby_.join->isEnabled();
}

void LobbyWindowDriver::PressJoin() {
    QTest::mouseClick(lobby_.join, Qt::LeftButton);
}

void LobbyWindowDriver::PressSignIn() {
    QTest::mouseClick(lobby_.signIn, Qt::LeftButton);
}

void LobbyWindowDriver::SendChatLine(const QString& line) {
    lobby_.chatInput->setText(line);
    QTest::keyClick(lobby_.chatInput, Qt::Key_Return);
}

QString LobbyWindowDriver::TypedChatLine() const {
    return lobby_.chatInput->text();
}

QString LobbyWindowDriver::Chat() const {
    return lobby_.chat->toPlainText();
}

QInputDialog* LobbyWindowDriver::Question(int waitMs) const {
    QInputDialog* shown = nullptr;
    SpinUntil(
        [&] {
            for (QInputDialog* dialog : lobby_.findChildren<QInputDialog*>()) {
                if (dialog->isVisible()) shown = dialog;
            }
            return shown != nullptr;
        },
        waitMs);
    return shown;
}

int LobbyWindowDriver::QuestionsShown() const {
    int shown = 0;
    for (const QInputDialog* dialog : lobby_.findChildren<QInputDialog*>())
        shown += dialog->isVisible();
    return shown;
}
