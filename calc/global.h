#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>
#include <span>

// The list calculator's program-wide state and the widget-free parts of its
// commands and its total. The window (`TFrm_Wid`) moves values between
// `ArbeitsSatz` and its controls (FelderLaden / FelderSichern), shows the messages and
// refreshes the display; everything here touches no control.

// One list entry. Copied by value.
struct Datensatz
{
    QString Einheit;         // "Ohm", "k Ohm" or "M Ohm"; empty in the blank record
    double Wert = 0.0;       // the number as typed, in the unit of Einheit
    qint32 EinheitIndex = 0; // 0 = "Ohm", 1 = "k Ohm", 2 = "M Ohm"

    friend bool operator==(const Datensatz &, const Datensatz &) = default;
};

// The list's 20 records, positions 1..20. Position 21 (the new slot of a full list) has no
// record: use SatzAn / SatzSetzen for positions that may be 21.
class TListe
{
public:
    static constexpr qint32 kErste = 1;
    static constexpr qint32 kLetzte = 20;

    // Checked access: throws std::out_of_range outside 1..20.
    Datensatz &operator[](qint32 position);
    const Datensatz &operator[](qint32 position) const;

private:
    Datensatz m_records[kLetzte + 1]; // index 0 unused
};

// The program-wide variables; all start zeroed (empty strings, zero numbers).
extern TListe Liste;             // positions 1..Belegt-1 are the stored resistors
extern const Datensatz LeerSatz; // the blank record; never changes
extern Datensatz ArbeitsSatz;    // the work record of the current position
extern qint32 Belegt;            // position of the new slot = stored + 1, 1..21
extern qint32 Aktuell;           // current position, 1..Belegt

inline constexpr qint32 kMaxWiderstaende = 20;

// ---- Reading and writing positions that may be the new slot of a full list ----

// The record at position p: Liste[p] for 1..20, LeerSatz for 21 (and anything else).
Datensatz SatzAn(qint32 p);
// Liste[p] := satz for 1..20; nothing at position 21 (or anything else).
void SatzSetzen(qint32 p, const Datensatz &satz);

// ---- Unit factors and the total ----

// Factor of a unit text: "Ohm" 1, "k Ohm" 1000, "M Ohm" 1000000 (whole, case-sensitive
// comparison); any other text gives `vorher`, the factor of the record before (0 for the
// first record of a computation).
double EinheitFaktor(const QString &einheit, double vorher);

// Parallel total in Ohm of the given stored records (GesamtBerechnen's arithmetic): 0 for no
// record; T := T*x/(T+x) in extended precision, rounded to a double, x = factor * Wert.
// Where T*x/(T+x) is undefined (T + x = 0, or no number comes out) T becomes 0, as for a
// short circuit, and the formula keeps it 0 for the records after it.
double GesamtOhm(std::span<const Datensatz> gespeichert);
// The same for the program-wide list: positions 1..Belegt-1.
double GesamtOhm();

// Caption of `Edit_ges` for a total in Ohm: " " + "%0.2n" + "  Ohm  " / "  kOhm  " / "  MOhm  "
// (kOhm above 999 Ohm, MOhm above 999999 Ohm, both strict).
QString GesamtText(double gesamtOhm);

// ---- List-pure parts of the commands ----

// List reset, state part (its steps 1 and 4): Belegt := 1, Aktuell := 1,
// Liste[1] := LeerSatz, ArbeitsSatz := Liste[1]. The window hides the counters, clears the
// display, runs FelderLaden and refreshes.
void ListeZuruecksetzen();

// True when 20 resistors are stored (Belegt > 20): "Ok und neu" is refused.
bool ListeVoll();

// Save step after FelderSichern: Liste[Aktuell] := ArbeitsSatz (nothing at position 21).
void SatzSichern();

// Load step for position p before FelderLaden: Aktuell := p, ArbeitsSatz := SatzAn(p).
void SatzLaden(qint32 p);

// "Ok und neu", step 3, after FelderSichern (the window checks ListeVoll() and the value 0
// first): save step; a new resistor (Aktuell = Belegt) increases Belegt; then
// Aktuell := Belegt, the new slot and ArbeitsSatz are blanked. The window runs FelderLaden.
void OkUndNeuUebernehmen();

// Targets of the navigation buttons; nothing when the button does nothing (no save step
// either): "<" at position 1, ">" at or beyond the new slot, ">|" on an empty list.
enum class Schritt { Anfang, Zurueck, Vor, Ende };
std::optional<qint32> NavigationsZiel(Schritt schritt);

// Navigation after FelderSichern: save step, then load step for `ziel`. The window runs
// FelderLaden.
void GeheZu(qint32 ziel);

// "entfernen" after the answer Yes (no save step; unsaved changes are dropped).
enum class EntfernenErgebnis {
    Geleert,    // at most one resistor was stored: the list is empty, position 1
    NeuerPlatz, // at the new slot with 2 or more stored: nothing changed; the window shows
                // its message and runs "<"
    Entfernt,   // the resistor at Aktuell was removed; Aktuell stays, ArbeitsSatz = Liste[Aktuell]
};
EntfernenErgebnis Entfernen();

// "einfügen" (hidden button), shift part: makes room before Aktuell.
enum class EinfuegenErgebnis {
    NeuerPlatz, // Aktuell = Belegt: nothing changed; the window shows its message and runs "<"
    Voll,       // 20 stored: refused, nothing changed (the window shows the 20-resistor message)
    Verschoben, // Liste[Aktuell..Belegt-1] moved up by one, Belegt increased; the window then
                // runs FelderSichern + SatzSichern (the typed value goes to Aktuell) and
                // SatzLaden(Aktuell) + FelderLaden
};
EinfuegenErgebnis EinfuegenVerschieben();
