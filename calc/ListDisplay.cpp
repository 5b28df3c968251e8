// The list calculator's display: the set-up of the tab's controls, the row of resistors
// with its markers, the button captions, the total, and the reference table beside it.
#include "calc/EntryField.h"
#include "calc/ListPage.h"

#include "common/NumberText.h"
#include "common/Pictures.h"
#include "common/SystemColors.h"
#include "ui_Wid.h"
#include "widgets/DekoLabelRotated.h"
#include "widgets/NumInp.h"
#include "widgets/NumberEdit.h"
#include "widgets/ScreenReaderNotice.h"
#include "widgets/grid/CellGrid.h"
#include "widgets/scaler/FormScaler.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// Position n of the row lies on a pitch of 32 pixels (design size); these are the left
// edges of its controls and of the markers standing at it. In a window of another size
// they follow its ratio, like every control the form scaler places.
constexpr int kPitch = 32;
constexpr int kImageOffset = 49;  // Image n, Image21
constexpr int kTextOffset = 58;   // Nr_R_n, E_n, R_n_Text
constexpr int kArrowOffset = 59;  // Image23
constexpr int kNewNrOffset = 55;  // Label16
constexpr int kNewTagOffset = 53; // Label17
int designLeft(int offset, int n)
{
    return kPitch * n + offset;
}
constexpr int kPictureWidth = 32;
// How a picture that only repeats what its neighbours say is marked for screen readers.
const QString kDecoration = QStringLiteral("Verzierung");
constexpr int kArrowTop = 212;  // Image23
constexpr int kNewTagTop = 232; // Label17

void setLeft(QWidget *w, int x)
{
    w->move(x, w->y());
}

void setWidth(QWidget *w, int width)
{
    w->resize(width, w->height());
}

template <class T> T *control(QWidget *window, const QString &name)
{
    T *c = window->findChild<T *>(name);
    if (!c) qFatal("calculator window: no control %s", qPrintable(name));
    return c;
}

void setUpCounter(TNumInp *field)
{
    field->setDatatype(TNumInp::dtInteger);
    field->setDigits(12);
    field->setDecimals(0);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::ClickFocus); // no tab stop
    field->setAlignment(TNumInp::taRightJustify);
    field->setColor(SystemColors::moneyGreen());
    field->setNegativeColor(Qt::black);
    field->setValidate(false); // before any Value is written
    field->setTabOnEnterKey(false);
    QFont bold = field->font();
    bold.setBold(true);
    field->setFont(bold);
    field->hide();
}

} // namespace

void TListPage::SetUpControls()
{
    const QString resistor = QStringLiteral(":/images/resistor.png");
    for (qint32 n = 1; n <= kMaxWiderstaende; ++n) {
        const QString nr = QString::number(n);
        m_image[n] = control<QLabel>(m_window, QStringLiteral("Image") + nr);
        m_nr[n] = control<QLabel>(m_window, QStringLiteral("Nr_R_") + nr);
        m_einheit[n] = control<DekoLabelRotated>(m_window, QStringLiteral("E_") + nr);
        m_wert[n] = control<DekoLabelRotated>(m_window, QStringLiteral("R_") + nr + QStringLiteral("_Text"));
        Pictures::show(m_image[n], resistor);
        m_image[n]->setAccessibleDescription(kDecoration);
    }
    Pictures::show(ui.Image21, QStringLiteral(":/images/resistor_current.png"));
    ui.Image21->setAccessibleName(QStringLiteral("aktuelle Position"));
    Pictures::show(ui.Image22, resistor);
    ui.Image22->setAccessibleDescription(kDecoration);
    ui.Image23->setAccessibleDescription(kDecoration);
    // The arrow stands in the upper 20 of its 32 pixels, so that "(neu)" (top 232) below
    // the new slot stays readable.
    ui.Image23->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Pictures::show(ui.Image23, QStringLiteral(":/images/arrow_up.png"), kNewTagTop - kArrowTop);

    EntryField::configure(ui.Edit_R, 2, 0);
    ui.edit_0hm->clear();
    ui.edit_0hm->addItems({QStringLiteral("Ohm"), QStringLiteral("k Ohm"), QStringLiteral("M Ohm")});
    ui.edit_0hm->hide();
    SystemColors::setBackground(ui.Edit_ges, SystemColors::lime());
    setUpCounter(ui.NumInp1);
    setUpCounter(ui.NumInp2);
    // Created hidden and never shown.
    ui.Btn_Einf->hide();
    ui.Btn_Anders->hide();
}

void TListPage::SetUpReferenceTable()
{
    SystemColors::setBackground(ui.Shape1, SystemColors::blue());
    SystemColors::setBackground(ui.Panel2, SystemColors::system(SystemColors::GradientInactiveCaption));
    const QString error = ui.CellGrid1->loadDescriptionFile(QStringLiteral(":/grids/CellGrid1.txt"));
    if (!error.isEmpty()) qWarning("%s", qPrintable(error));
    for (int c = 0; c < ui.CellGrid1->ColCount(); ++c) m_tableColWidths.push_back(ui.CellGrid1->ColWidths(c));
    for (int r = 0; r < ui.CellGrid1->RowCount(); ++r) m_tableRowHeights.push_back(ui.CellGrid1->RowHeights(r));
}

void TListPage::Neuanzeige()
{
    AnzeigeLoeschen();
    GesamtBerechnen();
    AnzeigeAufbauen();
}

void TListPage::AnzeigeLoeschen()
{
    for (qint32 n = 1; n <= kMaxWiderstaende; ++n) {
        m_image[n]->hide();
        m_nr[n]->clear();
        m_einheit[n]->clear();
        m_wert[n]->clear();
        // An empty box would still show its fill.
        m_einheit[n]->hide();
        m_wert[n]->hide();
    }
    ui.Label_R_1->clear();
}

void TListPage::GesamtBerechnen()
{
    ui.Edit_ges->setText(GesamtText(GesamtOhm()));
    // A new name is announced, with the caption the total stands beside.
    ui.Edit_ges->setAccessibleName(QStringLiteral("Gesamtwiderstand: ") + ui.Edit_ges->text());
}

void TListPage::AnzeigeAufbauen()
{
    ui.NumInp1->setValue(Belegt);
    ui.NumInp2->setValue(Aktuell);
    ui.Label_R_1->clear();

    for (qint32 n = 1; n <= kMaxWiderstaende; ++n) {
        if (Belegt <= n) continue; // no stored resistor at n
        m_image[n]->show();
        m_einheit[n]->show();
        m_wert[n]->show();
        m_nr[n]->setText(NumberText::integer(n));
        m_einheit[n]->setText(Liste[n].Einheit);
        m_wert[n]->setText(NumberText::number(Liste[n].Wert));
        const QString entry = NumberText::integer(n) + QStringLiteral(". Widerstand: ") + m_wert[n]->text() +
                              QLatin1Char(' ') + Liste[n].Einheit;
        for (QLabel *box : {m_nr[n], static_cast<QLabel *>(m_einheit[n]), static_cast<QLabel *>(m_wert[n])})
            box->setAccessibleName(entry);
    }

    const QString k = NumberText::integer(Aktuell);
    ui.Label_Nr->setText(k + QLatin1Char('.'));
    ui.Edit_R->setAccessibleName(k + QStringLiteral(". Widerstand"));
    ui.Btn_Entf->setText(QStringLiteral("Nr. ") + k + QStringLiteral(" entfernen"));
    ui.Btn_Einf->setText(QStringLiteral("vor Nr. ") + k + QStringLiteral(" einfügen"));
    ui.Btn_Anders->setText(QStringLiteral("Nr. ") + k + QStringLiteral(" ändern"));
    ui.edit_0hm->setCurrentIndex(SatzAn(Aktuell).EinheitIndex);
    ui.NumInp1->setValue(Belegt);
    ui.NumInp2->setValue(Aktuell);

    ui.Image22->hide();
    if (Aktuell == Belegt) {
        ui.Label16->setText(k);
        ui.Label17->setText(QStringLiteral("(neu)"));
    } else {
        ui.Label16->clear();
        ui.Label17->clear();
    }
    ZeileAusrichten();
    describeList();
}

void TListPage::describeList()
{
    // The total and the row change where the keyboard never goes, and a screen reader speaks
    // changes only of the focused control: so the list's commands carry the total and the
    // position they lead to.
    const QString position = Aktuell == Belegt ? ui.Edit_R->accessibleName() + QStringLiteral(" (neu)")
                                               : m_nr[Aktuell]->accessibleName();
    const QString text = QStringLiteral("Gesamtwiderstand: ") + ui.Edit_ges->text().simplified() +
                         QStringLiteral(". ") + position;
    m_notice->describe({ui.Edit_R, ui.Btn_Neu, ui.Btn_Anfang, ui.Btn_minus, ui.Btn_plus, ui.Btn_Ende, ui.Btn_Entf,
                        ui.DekoButton1},
                       text);
}

void TListPage::TabelleAusrichten()
{
    // The table fills its box, so the form scaler leaves it alone, and it has no scroll bars:
    // in a box smaller than designed its last rows and column would be cut off. Its cells
    // shrink with the box (never grow beyond their design size), each edge placed at the scaled
    // position of its design edge so the rounding does not add up. The rows are fitted to the
    // box's real height: its border does not shrink with it.
    const auto fit = [](const std::vector<int> &design, double ratio, const auto &apply) {
        ratio = std::min(1.0, ratio);
        int designEdge = 0;
        int edge = 0;
        for (int i = 0; i < int(design.size()); ++i) {
            designEdge += design[i];
            const int next = int(std::floor(designEdge * ratio));
            apply(i, next - edge);
            edge = next;
        }
    };
    const int designHeight = std::accumulate(m_tableRowHeights.begin(), m_tableRowHeights.end(), 0);
    if (designHeight <= 0) return;
    fit(m_tableColWidths, m_scaler.WidthRatio(), [this](int c, int w) { ui.CellGrid1->setColWidths(c, w); });
    fit(m_tableRowHeights, double(ui.CellGrid1->viewport()->height()) / designHeight,
        [this](int r, int h) { ui.CellGrid1->setRowHeights(r, h); });
}

void TListPage::ZeileAusrichten()
{
    const auto left = [this](int offset, int n) { return m_scaler.ScaleHorizontal(designLeft(offset, n)); };
    const int pictureWidth = m_scaler.ScaleHorizontal(kPictureWidth);
    setWidth(ui.Image21, pictureWidth);
    setLeft(m_nr[1], left(kTextOffset, 1));
    for (qint32 n = 1; n < Belegt && n <= kMaxWiderstaende; ++n) {
        setWidth(m_image[n], pictureWidth);
        setLeft(m_image[n], left(kImageOffset, n));
        setLeft(m_nr[n], left(kTextOffset, n));
        setLeft(m_einheit[n], left(kTextOffset, n));
        setLeft(m_wert[n], left(kTextOffset, n));
    }
    setLeft(ui.Image23, left(kArrowOffset, Aktuell));
    setLeft(ui.Image21, left(kImageOffset, Aktuell));
    if (Aktuell == Belegt) {
        setLeft(ui.Label16, left(kNewNrOffset, Aktuell));
        setLeft(ui.Label17, left(kNewTagOffset, Aktuell));
    }
}
