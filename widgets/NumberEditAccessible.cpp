#include "widgets/NumberEditAccessible.h"

#include "widgets/NumberEdit.h"

#include <QFontMetrics>

namespace {

QAccessibleInterface *numberEditFactory(const QString &className, QObject *object)
{
    if (className != QLatin1String("TNumberEdit") || !object || !object->isWidgetType()) return nullptr;
    return new TNumberEditAccessible(static_cast<TNumberEdit *>(object));
}

} // namespace

TNumberEditAccessible::TNumberEditAccessible(TNumberEdit *edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}

void TNumberEditAccessible::installFactory()
{
    QAccessible::installFactory(numberEditFactory);
}

TNumberEdit *TNumberEditAccessible::edit() const
{
    return static_cast<TNumberEdit *>(widget());
}

QString TNumberEditAccessible::shownText() const
{
    switch (edit()->echoMode()) {
    case QLineEdit::Normal: return edit()->text();
    case QLineEdit::NoEcho: return {};
    default: return edit()->displayText();
    }
}

QString TNumberEditAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value) return shownText();
    QString text = QAccessibleWidget::text(t);
    if (t == QAccessible::Description && text.isEmpty()) text = edit()->placeholderText();
    return text;
}

void TNumberEditAccessible::setText(QAccessible::Text t, const QString &text)
{
    if (t == QAccessible::Value) edit()->setText(text);
    else QAccessibleWidget::setText(t, text);
}

QAccessible::State TNumberEditAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    if (edit()->isReadOnly()) s.readOnly = true;
    else s.editable = true;
    if (edit()->echoMode() != QLineEdit::Normal) s.passwordEdit = true;
    s.selectableText = true;
    return s;
}

void *TNumberEditAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface *>(this);
    if (t == QAccessible::EditableTextInterface) return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(t);
}

// ---------------------------------------------------------------- text

void TNumberEditAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !edit()->hasSelectedText()) return;
    *startOffset = edit()->selectionStart();
    *endOffset = edit()->selectionEnd();
}

int TNumberEditAccessible::selectionCount() const
{
    return edit()->hasSelectedText() ? 1 : 0;
}

void TNumberEditAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void TNumberEditAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0) edit()->deselect();
}

void TNumberEditAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0) edit()->setSelection(startOffset, endOffset - startOffset);
}

int TNumberEditAccessible::cursorPosition() const
{
    return edit()->cursorPosition();
}

void TNumberEditAccessible::setCursorPosition(int position)
{
    edit()->setCursorPosition(position);
}

QString TNumberEditAccessible::text(int startOffset, int endOffset) const
{
    if (startOffset > endOffset) return {};
    return shownText().mid(startOffset, endOffset - startOffset);
}

int TNumberEditAccessible::characterCount() const
{
    return int(shownText().size());
}

QRect TNumberEditAccessible::characterRect(int offset) const
{
    // Measured from the cursor, which the field keeps in view however it scrolls its text.
    const QString shown = edit()->displayText();
    if (offset < 0 || offset >= shown.size()) return {};
    const QFontMetrics metrics(edit()->font());
    const QRect cursor = edit()->cursorRect();
    const int x = cursor.center().x() + metrics.horizontalAdvance(shown.left(offset)) -
                  metrics.horizontalAdvance(shown.left(edit()->cursorPosition()));
    const QRect local(x, cursor.top(), metrics.horizontalAdvance(shown.at(offset)), cursor.height());
    return QRect(edit()->mapToGlobal(local.topLeft()), local.size());
}

int TNumberEditAccessible::offsetAtPoint(const QPoint &point) const
{
    return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
}

void TNumberEditAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    edit()->setCursorPosition(endIndex);
    edit()->setCursorPosition(startIndex);
}

QString TNumberEditAccessible::attributes(int offset, int *startOffset, int *endOffset) const
{
    // The field has no attributes of its own; what it has holds for the whole text.
    Q_UNUSED(offset);
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

// ---------------------------------------------------------------- editing

void TNumberEditAccessible::deleteText(int startOffset, int endOffset)
{
    edit()->setText(edit()->text().remove(startOffset, endOffset - startOffset));
}

void TNumberEditAccessible::insertText(int offset, const QString &text)
{
    edit()->setText(edit()->text().insert(offset, text));
}

void TNumberEditAccessible::replaceText(int startOffset, int endOffset, const QString &text)
{
    edit()->setText(edit()->text().replace(startOffset, endOffset - startOffset, text));
}
