#pragma once

#include <QAccessibleWidget>

class TInfoForm;

// An information window as screen readers see it: a dialog. A plain window reads as an
// unnamed filler, of which a screen reader says nothing but its title; a dialog it reads
// as a whole when it opens, its title and then its texts.
class TInfoFormAccessible : public QAccessibleWidget
{
public:
    explicit TInfoFormAccessible(TInfoForm *form);

    // Lets Qt build this interface for the information windows; call once before any window exists.
    static void installFactory();
};
