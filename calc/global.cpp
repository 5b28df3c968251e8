#include "calc/global.h"

#include "common/NumberText.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

static_assert(std::numeric_limits<long double>::digits == 64,
              "the list total needs 80-bit extended long double (x86 g++/clang, MinGW)");

TListe Liste;
const Datensatz LeerSatz{};
Datensatz ArbeitsSatz;
qint32 Belegt = 0;
qint32 Aktuell = 0;

namespace {

using Ext = long double;

void checkPosition(qint32 position)
{
    if (position < TListe::kErste || position > TListe::kLetzte)
        throw std::out_of_range("Liste: position " + std::to_string(position) + " is not in 1..20");
}

} // namespace

Datensatz &TListe::operator[](qint32 position)
{
    checkPosition(position);
    return m_records[position];
}

const Datensatz &TListe::operator[](qint32 position) const
{
    checkPosition(position);
    return m_records[position];
}

Datensatz SatzAn(qint32 p)
{
    if (p < TListe::kErste || p > TListe::kLetzte) return LeerSatz;
    return Liste[p];
}

void SatzSetzen(qint32 p, const Datensatz &satz)
{
    if (p < TListe::kErste || p > TListe::kLetzte) return;
    Liste[p] = satz;
}

double EinheitFaktor(const QString &einheit, double vorher)
{
    double faktor = vorher;
    if (einheit == QLatin1String("Ohm")) faktor = 1;
    if (einheit == QLatin1String("k Ohm")) faktor = 1000;
    if (einheit == QLatin1String("M Ohm")) faktor = 1000000;
    return faktor;
}

double GesamtOhm(std::span<const Datensatz> gespeichert)
{
    if (gespeichert.empty()) return 0.0;
    double faktor = EinheitFaktor(gespeichert.front().Einheit, 0.0);
    double gesamt = static_cast<double>(static_cast<Ext>(faktor) * gespeichert.front().Wert);
    for (size_t i = 1; i < gespeichert.size(); ++i) {
        const Datensatz &satz = gespeichert[i];
        faktor = EinheitFaktor(satz.Einheit, faktor);
        const double x = static_cast<double>(static_cast<Ext>(faktor) * satz.Wert);
        const Ext summe = static_cast<Ext>(gesamt) + x;
        if (summe == 0) {
            // 0 with 0, or a value that cancels the running total: undefined, taken as a
            // short circuit.
            gesamt = 0.0;
            continue;
        }
        const double neu = static_cast<double>(static_cast<Ext>(gesamt) * x / summe);
        gesamt = std::isnan(neu) ? 0.0 : neu;
    }
    return gesamt;
}

double GesamtOhm()
{
    if (Belegt <= 1) return 0.0;
    Datensatz gespeichert[kMaxWiderstaende];
    const qint32 anzahl = std::min<qint32>(Belegt - 1, kMaxWiderstaende);
    for (qint32 p = 1; p <= anzahl; ++p)
        gespeichert[p - 1] = Liste[p];
    return GesamtOhm(std::span<const Datensatz>(gespeichert, static_cast<size_t>(anzahl)));
}

QString GesamtText(double gesamtOhm)
{
    Ext t = gesamtOhm;
    QString einheit = QStringLiteral("  Ohm  ");
    if (gesamtOhm > 999999) {
        t /= 1000000;
        einheit = QStringLiteral("  MOhm  ");
    } else if (gesamtOhm > 999) {
        t /= 1000;
        einheit = QStringLiteral("  kOhm  ");
    }
    return QLatin1Char(' ') + NumberText::number(static_cast<double>(t), 2) + einheit;
}

void ListeZuruecksetzen()
{
    Belegt = 1;
    Aktuell = 1;
    Liste[1] = LeerSatz;
    ArbeitsSatz = Liste[Aktuell];
}

bool ListeVoll()
{
    return Belegt > kMaxWiderstaende;
}

void SatzSichern()
{
    SatzSetzen(Aktuell, ArbeitsSatz);
}

void SatzLaden(qint32 p)
{
    Aktuell = p;
    ArbeitsSatz = SatzAn(p);
}

void OkUndNeuUebernehmen()
{
    SatzSichern();
    if (Aktuell == Belegt) ++Belegt;
    Aktuell = Belegt;
    SatzSetzen(Belegt, LeerSatz);
    ArbeitsSatz = LeerSatz;
}

std::optional<qint32> NavigationsZiel(Schritt schritt)
{
    switch (schritt) {
    case Schritt::Anfang:
        return 1;
    case Schritt::Zurueck:
        if (Aktuell <= 1) return std::nullopt;
        return Aktuell - 1;
    case Schritt::Vor:
        if (Aktuell >= Belegt) return std::nullopt;
        return Aktuell + 1;
    case Schritt::Ende:
        // Undefined for the empty list (target 0): the button then does nothing.
        if (Belegt <= 1) return std::nullopt;
        return Belegt - 1;
    }
    return std::nullopt;
}

void GeheZu(qint32 ziel)
{
    SatzSichern();
    SatzLaden(ziel);
}

EntfernenErgebnis Entfernen()
{
    if (Belegt <= 2) {
        ArbeitsSatz = LeerSatz;
        Liste[1] = LeerSatz;
        Belegt = 1;
        Aktuell = 1;
        return EntfernenErgebnis::Geleert;
    }
    // At the new slot (or at a position beyond it, reachable only through an empty number
    // label) there is no stored resistor to remove.
    if (Aktuell >= Belegt) return EntfernenErgebnis::NeuerPlatz;
    const qint32 k = Aktuell;
    for (qint32 p = k; p <= Belegt - 1; ++p)
        Liste[p] = SatzAn(p + 1);
    ArbeitsSatz = LeerSatz;
    SatzSetzen(Belegt, ArbeitsSatz);
    --Belegt;
    ArbeitsSatz = Liste[k];
    return EntfernenErgebnis::Entfernt;
}

EinfuegenErgebnis EinfuegenVerschieben()
{
    const qint32 k = Aktuell;
    if (k >= Belegt) return EinfuegenErgebnis::NeuerPlatz;
    if (ListeVoll()) return EinfuegenErgebnis::Voll;
    for (qint32 p = Belegt - 1; p >= k; --p)
        Liste[p + 1] = Liste[p];
    ++Belegt;
    return EinfuegenErgebnis::Verschoben;
}
