#include "frontend/ui/replay_list_dialog.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QVBoxLayout>

#include "frontend/replay/replay_store.h"
#include "frontend/texts/window_texts.h"

QString ReplaySummary(const replay::Replay& r, int uiLanguage) {
    const replay::Header& h = r.header;
    const QString date =
        QDateTime::fromSecsSinceEpoch(h.date).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    const Caption kind = h.mode == replay::Mode::Practice   ? Caption::Practice
                         : h.mode == replay::Mode::Computer ? Caption::PlayComputer
                                                            : Caption::PlayOnline;
    QString players = h.greenName;
    if (h.mode != replay::Mode::Practice) players += QStringLiteral(" – ") + h.redName;
    const auto& end = std::get<replay::End>(r.events.back().event);
    // The winner by name; a draw and an abandoned match by a sign.
    QString result = QStringLiteral("…");
    if (!end.abandoned && end.result == 0) result = QStringLiteral("=");
    if (!end.abandoned && end.result == 1) result = QStringLiteral("★ ") + h.greenName;
    if (!end.abandoned && end.result == 2) result = QStringLiteral("★ ") + h.redName;
    return QStringLiteral("%1   %2   %3   %4")
        .arg(date, CaptionText(kind, uiLanguage), players, result);
}

ReplayListDialog::ReplayListDialog(QWidget* parent, const QString& folder, int uiLanguage)
    : QDialog(parent), folder_(folder) {
    setObjectName("replays");
    setWindowTitle(CaptionText(Caption::WatchReplay, uiLanguage));
    auto* layout = new QVBoxLayout(this);
    list = new QListWidget(this);
    list->setMinimumWidth(520);
    for (const QString& path : ListReplays(folder)) {
        const replay::ReadResult read = LoadReplay(path);
        if (read.error != replay::ReadError::None) continue;  // opened by hand it says why
        auto* item = new QListWidgetItem(ReplaySummary(read.replay, uiLanguage), list);
        item->setData(Qt::UserRole, path);
    }
    list->setCurrentRow(0);
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    openFile = buttons->addButton(CaptionText(Caption::OpenReplayFile, uiLanguage),
                                  QDialogButtonBox::ActionRole);
    layout->addWidget(buttons);
    const auto acceptItem = [this](QListWidgetItem* item) {
        if (!item) return;
        chosen_ = item->data(Qt::UserRole).toString();
        accept();
    };
    connect(buttons, &QDialogButtonBox::accepted, this,
            [this, acceptItem] { acceptItem(list->currentItem()); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list, &QListWidget::itemActivated, this, acceptItem);
    connect(openFile, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getOpenFileName(
            this, windowTitle(), folder_,
            QStringLiteral("Ringdisk (*") + QLatin1String(kReplayExtension) + QStringLiteral(")"));
        if (path.isEmpty()) return;
        chosen_ = path;
        accept();
    });
}
