#include "frontend/ui/chat_painter.h"

#include <QScrollBar>
#include <QTextCursor>

void PrepareChatWindow(QPlainTextEdit& chat) {
    chat.setReadOnly(true);
    chat.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    chat.setLineWrapMode(QPlainTextEdit::WidgetWidth);
    chat.setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    chat.setMaximumBlockCount(kChatLineLimit);
    chat.setUndoRedoEnabled(false);
}

void AppendChatRuns(QPlainTextEdit& chat, const ChatLine& line) {
    QTextDocument* document = chat.document();
    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::End);
    // The empty document already holds the first, empty paragraph.
    const bool empty = document->isEmpty();
    QTextCharFormat plain;
    plain.setForeground(QColor(0, 0, 0));
    plain.setFontWeight(QFont::Normal);
    if (!empty) cursor.insertBlock(QTextBlockFormat(), plain);
    for (const ChatRun& run : line) {
        QTextCharFormat format;
        format.setForeground(QColor::fromRgb(run.rgb));
        format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
        cursor.insertText(run.text, format);
    }
    chat.verticalScrollBar()->setValue(chat.verticalScrollBar()->maximum());
}
