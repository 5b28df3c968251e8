#pragma once

#include <QString>

class QWidget;

// Every message box of the program goes through here, so that titles, icons and the
// German button captions are the same everywhere.
namespace Messages {

enum class Kind {
    Plain,        // title = application title, no icon
    Information,  // title "Information"
    Error,        // title "Fehler"
    Confirmation, // title "Bestätigung", question mark
    Warning,      // title = application title, exclamation mark
};

enum class Buttons { Ok, YesNo };

enum class Answer { Ok, Yes, No };

// The application title that plain boxes carry.
QString applicationTitle();

// Shows a modal box and waits for the answer. With Yes/No, "&Ja" is the default
// button and Escape (or closing the box) answers "&Nein". A carriage return in the
// text, alone or before a line feed, is shown as a line break.
Answer show(QWidget *parent, Kind kind, const QString &text, Buttons buttons = Buttons::Ok);

inline void plain(QWidget *parent, const QString &text) { show(parent, Kind::Plain, text); }
inline void information(QWidget *parent, const QString &text) { show(parent, Kind::Information, text); }
inline void error(QWidget *parent, const QString &text) { show(parent, Kind::Error, text); }
inline bool confirm(QWidget *parent, const QString &text)
{
    return show(parent, Kind::Confirmation, text, Buttons::YesNo) == Answer::Yes;
}

} // namespace Messages
