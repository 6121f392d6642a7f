#include "frontend/ui/about_dialog.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include "frontend/settings/documentation_location.h"
#include "frontend/settings/ini_scrambler.h"
#include "frontend/texts/window_texts.h"
#include "frontend/ui/dialog_parts.h"
#include "frontend/wire/wire_text.h"

namespace {

// "Ringdisk: a free table game for Linux", scrambled.
constexpr unsigned char kScrambledCredit[] = {
    0x6E, 0xF8, 0x64, 0x80, 0x58, 0xF8, 0x79, 0x8C, 0x06, 0xB1, 0x6B, 0xC7, 0x5A,
    0xE3, 0x6F, 0x82, 0x1C, 0xE5, 0x6B, 0x85, 0x50, 0xF4, 0x2A, 0x80, 0x5D, 0xFC,
    0x6F, 0xC7, 0x5A, 0xFE, 0x78, 0xC7, 0x70, 0xF8, 0x64, 0x92, 0x44};

constexpr int kPictureSize = 64;

// The striker on the table's green, drawn here rather than read from a file.
QPixmap GamePicture() {
    QPixmap pixmap(kPictureSize, kPictureSize);
    pixmap.fill(QColor(0x1E, 0x6B, 0x2E));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x8B, 0x5A, 0x2B), 4));
    painter.drawRect(2, 2, kPictureSize - 4, kPictureSize - 4);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xE8, 0xC8, 0x20));
    painter.drawEllipse(QPointF(32, 32), 14, 14);
    painter.setBrush(QColor(0xC0, 0x20, 0x20));
    painter.drawEllipse(QPointF(14, 50), 6, 6);
    painter.setBrush(QColor(0x20, 0xA0, 0x40));
    painter.drawEllipse(QPointF(50, 14), 6, 6);
    return pixmap;
}

}  // namespace

QString CreditLine() {
    const QByteArray scrambled(reinterpret_cast<const char*>(kScrambledCredit),
                               sizeof kScrambledCredit);
    return FromWireText(Scramble(scrambled));
}

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent),
      openLink([](const QUrl& url) { return QDesktopServices::openUrl(url); }),
      target_(DocumentationUrl(QCoreApplication::applicationDirPath())) {
    setObjectName("about");
    setFixedSize(300, 172);
    picture = new QLabel(this);
    picture->setObjectName("Image1");
    picture->setGeometry(12, 12, kPictureSize, kPictureSize);
    picture->setPixmap(GamePicture());
    product = new QLabel(kApplicationTitle, this);
    product->setObjectName("Label1");
    product->setGeometry(88, 14, 200, 22);
    QFont bold = product->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 3);
    product->setFont(bold);
    version = new QLabel(kVersionText, this);
    version->setObjectName("versao");
    version->setGeometry(88, 40, 200, 18);
    credit = new QLabel(this);
    credit->setObjectName("Label2");
    credit->setGeometry(88, 62, 204, 36);
    credit->setWordWrap(true);
    link = new QLabel(this);
    link->setObjectName("Label3");
    link->setGeometry(12, 104, 276, 18);
    QFont underlined = link->font();
    underlined.setUnderline(true);
    link->setFont(underlined);
    link->setForegroundRole(QPalette::Link);
    link->setTextFormat(Qt::PlainText);
    const QString path = target_.toLocalFile();
    link->setText(link->fontMetrics().elidedText(path, Qt::ElideMiddle, link->width()));
    link->setToolTip(path);
    for (QLabel* opener : {picture, link}) {
        opener->setCursor(Qt::PointingHandCursor);
        opener->installEventFilter(this);
    }
    confirm = DialogButton(this, "Button1", 100, 134, true);
    confirm->setText("OK");
    CentreOnScreen(*this);
}

void AboutDialog::SetCaptions(int language) {
    setWindowTitle(CaptionText(Caption::About, language));
}

void AboutDialog::showEvent(QShowEvent* event) {
    version->setText(kVersionText);
    credit->setText(CreditLine());
    if (onShown) onShown();
    QDialog::showEvent(event);
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonRelease || (watched != picture && watched != link))
        return QDialog::eventFilter(watched, event);
    const auto* release = static_cast<QMouseEvent*>(event);
    // A press that is dragged off the label before its release is no click.
    const QRect area = static_cast<QLabel*>(watched)->rect();
    if (release->button() != Qt::LeftButton || !area.contains(release->position().toPoint()))
        return QDialog::eventFilter(watched, event);
    if (!openLink(target_)) qWarning("ringdisk: could not open %s", qPrintable(target_.toString()));
    return true;
}
