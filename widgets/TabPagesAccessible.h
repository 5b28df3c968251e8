#pragma once

#include <QAccessibleWidget>

class QStackedWidget;

// The pages of a tab control (the stacked widget inside a QTabWidget) as screen readers see
// them: a plain container. Qt makes them an unnamed layered pane, which a screen reader
// announces, with nothing to say, whenever the focus enters a page; the page's tab already
// tells where the user is.
class TTabPagesAccessible : public QAccessibleWidget
{
public:
    explicit TTabPagesAccessible(QStackedWidget *pages);

    // Lets Qt build this interface for every tab control's pages; call once before any window exists.
    static void installFactory();
};
