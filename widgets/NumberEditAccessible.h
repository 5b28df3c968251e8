#pragma once

#include <QAccessibleWidget>

class TNumberEdit;

// A TNumberEdit as screen readers see it: an editable text whose whole text is one run of
// attributes. Qt's own interface for line edits reports every run as empty, and a screen
// reader that splits the text along the runs then drops the last character ("73," for
// "73,0", nothing for "5"). Everything else behaves as Qt's line edit does.
class TNumberEditAccessible : public QAccessibleWidget,
                              public QAccessibleTextInterface,
                              public QAccessibleEditableTextInterface
{
public:
    explicit TNumberEditAccessible(TNumberEdit *edit);

    // Lets Qt build this interface for every entry field; call once before any window exists.
    static void installFactory();

    TNumberEdit *edit() const;

    // QAccessibleInterface
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString &text) override;
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType t) override;

    // QAccessibleTextInterface
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

    // QAccessibleEditableTextInterface
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString &text) override;
    void replaceText(int startOffset, int endOffset, const QString &text) override;

private:
    // The text as a screen reader may read it: a password's masks, nothing of a hidden text.
    QString shownText() const;
};
