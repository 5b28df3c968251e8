// The list calculator's commands: "Ok und neu", navigation, removing, the hidden insert and
// change commands and the clear-all, with their checks and messages, and the moves between
// the work record and the entry controls.
#include "calc/ListPage.h"

#include "common/Messages.h"
#include "common/NumberText.h"
#include "ui_Wid.h"
#include "widgets/DekoLabelRotated.h"
#include "widgets/NumInp.h"
#include "widgets/NumberEdit.h"
#include "widgets/ScreenReaderNotice.h"

#include <QMouseEvent>

namespace {

const QString kNurZwanzig = QStringLiteral("Nur maximal 20 Widerstände zulässig!");
const QString kWertEingeben = QStringLiteral("bitte Widerstandswert eingeben");
const QString kWirklichEntfernen = QStringLiteral("Widerstand wirklich entfernen?");
const QString kNichtAngelegt =
    QStringLiteral("Ein noch nicht angelegter Widerstand\rkann auch nicht gelöscht werden.");

// "Der " n ". Widerstand ist noch nicht angelegt!" for the new slot n.
QString nochNichtAngelegt(qint32 n)
{
    return QStringLiteral("Der ") + NumberText::integer(n) +
           QStringLiteral(". Widerstand ist noch nicht angelegt!");
}

} // namespace

TListPage::TListPage(Ui::TFrm_Wid &form, QWidget *window, const TFormScaler &scaler)
    : QObject(window), ui(form), m_window(window), m_scaler(scaler), m_notice(new TScreenReaderNotice(window))
{
    SetUpControls();
    SetUpReferenceTable();

    connect(ui.Btn_Neu, &QPushButton::clicked, this, &TListPage::Btn_NeuClick);
    connect(ui.Btn_Anfang, &QPushButton::clicked, this, &TListPage::DekoButton2Click);
    connect(ui.Btn_minus, &QPushButton::clicked, this, &TListPage::Btn_minusClick);
    connect(ui.Btn_plus, &QPushButton::clicked, this, &TListPage::DekoButton4Click);
    connect(ui.Btn_Ende, &QPushButton::clicked, this, &TListPage::DekoButton5Click);
    connect(ui.Btn_Entf, &QPushButton::clicked, this, &TListPage::Btn_EntfClick);
    connect(ui.Btn_Einf, &QPushButton::clicked, this, &TListPage::Btn_EinfClick);
    connect(ui.Btn_Anders, &QPushButton::clicked, this, &TListPage::Btn_AndersClick);
    connect(ui.DekoButton1, &QPushButton::clicked, this, &TListPage::DekoButton1Click);
    connect(ui.Edit_R, &TNumberEdit::OnKeyUp, this, &TListPage::Edit_RKeyUp);
    for (qint32 n = 1; n <= kMaxWiderstaende; ++n) {
        m_nr[n]->installEventFilter(this);
        m_image[n]->installEventFilter(this);
    }
    // The reference table follows its box, which its parent's layout sizes after the window.
    ui.CellGrid1->viewport()->installEventFilter(this);
    m_tableViewport = ui.CellGrid1->viewport();
}

// ---- Work record and entry controls ----

void TListPage::FelderLaden()
{
    ui.Edit_R->setValueFloat(ArbeitsSatz.Wert);
    ui.edit_0hm->setCurrentText(ArbeitsSatz.Einheit);
    ui.edit_0hm->setCurrentIndex(ArbeitsSatz.EinheitIndex);
}

void TListPage::FelderSichern()
{
    ArbeitsSatz.Wert = ui.Edit_R->ValueFloat();
    ArbeitsSatz.Einheit = ui.edit_0hm->currentText();
    ArbeitsSatz.EinheitIndex = ui.edit_0hm->currentIndex();
}

void TListPage::EntryFocus()
{
    ui.Edit_R->setFocus();
}

// ---- Commands ----

void TListPage::Btn_NeuClick()
{
    if (ListeVoll()) {
        // The typed value is dropped; the editor goes to position 19.
        Messages::error(m_window, kNurZwanzig);
        SatzLaden(19);
        FelderLaden();
        Neuanzeige();
        return;
    }
    // A negative value is refused like 0: no resistance is negative, and it would cancel
    // the total.
    if (!(ui.Edit_R->ValueFloat() > 0)) {
        Messages::error(m_window, kWertEingeben);
        EntryFocus();
        return;
    }
    FelderSichern();
    OkUndNeuUebernehmen();
    FelderLaden();
    Neuanzeige();
}

void TListPage::Navigieren(Schritt schritt)
{
    const std::optional<qint32> ziel = NavigationsZiel(schritt);
    if (!ziel) return;
    FelderSichern();
    GeheZu(*ziel);
    FelderLaden();
    Neuanzeige();
}

void TListPage::DekoButton2Click()
{
    Navigieren(Schritt::Anfang);
}

void TListPage::Btn_minusClick()
{
    Navigieren(Schritt::Zurueck);
}

void TListPage::DekoButton4Click()
{
    Navigieren(Schritt::Vor);
}

void TListPage::DekoButton5Click()
{
    // On an empty list there is no last resistor: the editor stays at the new slot 1.
    Navigieren(Schritt::Ende);
}

void TListPage::Nr_R_Click(int n)
{
    // Numbers and pictures of positions without a stored resistor are not shown and do not
    // respond, so the editor never reaches a record that is not in use.
    if (n < 1 || n >= Belegt) return;
    FelderSichern();
    GeheZu(n);
    FelderLaden();
    Neuanzeige();
}

void TListPage::Btn_EntfClick()
{
    // Only "Ja" removes; "Nein", Escape and closing the box keep the resistor.
    if (Messages::show(m_window, Messages::Kind::Information, kWirklichEntfernen, Messages::Buttons::YesNo) !=
        Messages::Answer::Yes)
        return;
    switch (Entfernen()) {
    case EntfernenErgebnis::Geleert:
        FelderLaden();
        Neuanzeige();
        return;
    case EntfernenErgebnis::NeuerPlatz:
        Messages::information(m_window, kNichtAngelegt);
        Btn_minusClick();
        return;
    case EntfernenErgebnis::Entfernt:
        FelderLaden();
        ui.NumInp1->setValue(Belegt);
        ui.NumInp2->setValue(Aktuell);
        Neuanzeige();
        return;
    }
}

void TListPage::Btn_EinfClick()
{
    switch (EinfuegenVerschieben()) {
    case EinfuegenErgebnis::NeuerPlatz:
        Messages::information(m_window, nochNichtAngelegt(Belegt) +
                                            QStringLiteral("\rDeshalb kann auch nichts eingefügt werden."));
        Btn_minusClick();
        return;
    case EinfuegenErgebnis::Voll:
        // A 21st record would be needed: refused, nothing changes.
        Messages::error(m_window, kNurZwanzig);
        return;
    case EinfuegenErgebnis::Verschoben: {
        const qint32 k = Aktuell;
        FelderSichern();
        SatzSichern();
        SatzLaden(k);
        FelderLaden();
        ui.NumInp1->setValue(Belegt);
        ui.NumInp2->setValue(Aktuell);
        Neuanzeige();
        ui.Edit_R->setValueFloat(0);
        m_wert[k]->setText(QStringLiteral("neu"));
        return;
    }
    }
}

void TListPage::Btn_AndersClick()
{
    if (Aktuell == Belegt) {
        Messages::information(m_window, nochNichtAngelegt(Belegt) +
                                            QStringLiteral("\rDeshalb kann auch nichts geändert werden."
                                                           "\rWiderstandswert bitte eingeben."));
        EntryFocus();
        return;
    }
    Btn_NeuClick();
}

void TListPage::DekoButton1Click()
{
    ListeZuruecksetzen();
    // The counters are hidden for good.
    ui.Label5->hide();
    ui.Label6->hide();
    ui.NumInp1->hide();
    ui.NumInp2->hide();
    AnzeigeLoeschen();
    FelderLaden();
    Neuanzeige();
}

void TListPage::Edit_RKeyUp()
{
    emit searchRequested();
}

// ---- Clicks on the row ----

bool TListPage::eventFilter(QObject *watched, QEvent *event)
{
    // Compared by address only: the filter also sees the events of the table's destruction.
    if (watched == m_tableViewport) {
        if (event->type() == QEvent::Resize) TabelleAusrichten();
        return QObject::eventFilter(watched, event);
    }
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease &&
        event->type() != QEvent::MouseButtonDblClick)
        return QObject::eventFilter(watched, event);
    int n = 0;
    for (qint32 p = 1; p <= kMaxWiderstaende && n == 0; ++p)
        if (watched == m_nr[p] || watched == m_image[p]) n = p;
    if (n == 0) return QObject::eventFilter(watched, event);

    auto *mouse = static_cast<QMouseEvent *>(event);
    if (mouse->button() != Qt::LeftButton) return true;
    if (event->type() == QEvent::MouseButtonRelease) {
        // A click: pressed and released on the same control.
        const bool clicked = m_pressed == watched &&
                             static_cast<QWidget *>(watched)->rect().contains(mouse->position().toPoint());
        m_pressed = nullptr;
        if (clicked) Nr_R_Click(n);
    } else {
        m_pressed = watched;
    }
    return true;
}
