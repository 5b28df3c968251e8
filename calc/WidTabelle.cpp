#include "calc/WidTabelle.h"

#include "calc/EntryField.h"
#include "calc/ListPage.h"
#include "calc/PairMath.h"
#include "calc/global_Wid.h"
#include "common/Fonts.h"
#include "common/HelpRequest.h"
#include "common/NumberText.h"
#include "common/SystemColors.h"
#include "common/WindowPlacement.h"
#include "widgets/NumberEdit.h"
#include "widgets/ScreenReaderNotice.h"
#include "widgets/grid/CellGrid.h"
#include "widgets/grid/CellGridModel.h"
#include "widgets/scaler/FormScaler.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTabBar>

#include <array>
#include <optional>

TFrm_Wid *Frm_Wid = nullptr;

namespace {

constexpr quint32 kHelpContext = 1001;
// The matrix: 49 column values, 43 row values; the rows and columns behind them carry "0"
// and stay hidden, so that the last cell can scroll the matrix to its end.
constexpr int kBodyColumns = 49;
constexpr int kBodyRows = 43;
constexpr int kLastCol = 53;
constexpr int kLastRow = 46;
constexpr int kRowHeight = 15;
constexpr int kHeaderColumnWidth = 35;

const QString kNotFound = QStringLiteral("Werte nicht gefunden notfalls Toleranz erhöhen");
// On screen the error follows the tolerance field, joined to it by "% >"; spoken, it stands alone.
const QString kTooLargeError = QStringLiteral("Fehler: gesuchter Widerstand zu groß");
const QString kTooLarge = QStringLiteral("% >") + kTooLargeError;

QColor neutral()
{
    return SystemColors::system(SystemColors::InfoBk);
}

QColor classColor(PairMath::CellClass c)
{
    switch (c) {
    case PairMath::CellClass::Smaller: return SystemColors::aqua();
    case PairMath::CellClass::Equal: return SystemColors::chartreuse();
    case PairMath::CellClass::Greater: return SystemColors::lightRose();
    case PairMath::CellClass::Outside: break;
    }
    return neutral();
}

QString countText(int count)
{
    return NumberText::integer(count) + QStringLiteral(" x");
}

// A count box reads with the caption under it; a new name is announced.
void setCount(QLabel *box, const QString &caption, int count)
{
    box->setText(countText(count));
    box->setAccessibleName(caption + QStringLiteral(": ") + box->text());
}

} // namespace

TFrm_Wid::TFrm_Wid(QWidget *parent)
    : QMainWindow(parent), FormScaler1(new TFormScaler(this)), ListPage(nullptr),
      m_resultNotice(new TScreenReaderNotice(this))
{
    Fonts::buildWithDesignPixelSizes(this, [this] { ui.setupUi(this); });
    ui.MainMenu->setFont(QApplication::font("QMenuBar"));
    // The tabs are drawn as push buttons in bold; the active one stays pressed.
    QFont tabFont = ui.PageControl1->tabBar()->font();
    tabFont.setBold(true);
    ui.PageControl1->tabBar()->setFont(tabFont);
    ui.PageControl1->tabBar()->setStyleSheet(QStringLiteral(
        "QTabBar::tab { background: #f0f0f0; border: 2px outset #d0d0d0; padding: 3px 8px; margin: 1px 2px; }"
        "QTabBar::tab:selected { background: #e0e0e0; border-style: inset; }"));
    FormScaler1->ResizeFonts = true;
    FormScaler1->MinFontSize = 6;
    FormScaler1->MaxFontSize = 48;
    FormScaler1->EnforceMinSize = true;

    const QColor caption = SystemColors::system(SystemColors::GradientActiveCaption);
    SystemColors::setBackground(ui.centralwidget, caption);
    SystemColors::setBackground(ui.Panel1, caption);
    for (QWidget *page : {ui.TabSheet1, ui.TabSheet2})
        SystemColors::setBackground(page, SystemColors::system(SystemColors::BtnFace));
    SystemColors::setBackground(ui.Label_gesamt, caption);
    SystemColors::setBackground(ui.Label7, neutral());

    QString error = ui.Grid1->loadDescriptionFile(QStringLiteral(":/grids/Grid1.txt"));
    if (!error.isEmpty()) qWarning("%s", qPrintable(error));
    ui.Grid1->setCursor(Qt::PointingHandCursor);

    EntryField::configure(ui.Edit_Wid, 1, 73);
    EntryField::configure(ui.Edit_Proz, 0, 5);

    ListPage = new TListPage(ui, this, *FormScaler1);

    connect(ui.zurAuswahl2, &QAction::triggered, this, &TFrm_Wid::zurAuswahl2Click);
    connect(ui.Programmbeenden1, &QAction::triggered, this, &TFrm_Wid::Programmbeenden1Click);
    connect(ui.HilfezumProgramm1, &QAction::triggered, this, &TFrm_Wid::HilfezumProgramm1Click);
    connect(ui.PageControl1, &QTabWidget::currentChanged, this, &TFrm_Wid::PageControl1Change);
    connect(ui.Grid1, &TCellGrid::mouseMoved, this, &TFrm_Wid::Grid1_MouseMove);
    connect(ui.Grid1, &TCellGrid::currentCellChanged, this, &TFrm_Wid::Grid1_CurrentCellChanged);
    // Built only when a screen reader reads a cell: a search touches no text.
    ui.Grid1->model()->setDescriptionProvider([this](int col, int row) { return cellDescription(col, row); });
    connect(ui.Edit_Wid, &TNumberEdit::OnKeyUp, this, &TFrm_Wid::Edit_WidKeyUp);
    connect(ui.Edit_Proz, &TNumberEdit::OnKeyUp, this, &TFrm_Wid::Edit_ProzKeyUp);
    connect(ui.Edit_Wid, &TNumberEdit::OnClick, this, &TFrm_Wid::Edit_WidClick);
    connect(ui.Edit_Proz, &TNumberEdit::OnClick, this, &TFrm_Wid::Edit_ProzClick);
    connect(ui.Edit_Proz, &TNumberEdit::OnMouseDown, this, &TFrm_Wid::Edit_ProzMouseDown);
    connect(ui.Button1, &QPushButton::clicked, this, &TFrm_Wid::Button1Click);
    connect(ui.Button2, &QPushButton::clicked, this, &TFrm_Wid::Button2Click);
    // A radio button is chosen by a click, the keyboard, or a screen reader's toggle action,
    // which only toggles it; choosing the chosen one again changes nothing.
    connect(ui.Auswahl1, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Auswahl1Click();
    });
    connect(ui.Auswahl2, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Auswahl2Click();
    });
    connect(ListPage, &TListPage::searchRequested, this, &TFrm_Wid::Paare_suchen);

    // Pointer movement over the free surfaces hides the readout; over the panel's labels,
    // boxes, fields and buttons it must reach nobody.
    for (QWidget *surface : std::initializer_list<QWidget *>{ui.centralwidget, ui.TabSheet1, ui.Panel1}) {
        surface->setMouseTracking(true);
        surface->installEventFilter(this);
    }
    for (QWidget *child : ui.Panel1->findChildren<QWidget *>()) child->setAttribute(Qt::WA_NoMousePropagation);

    // Outer size 1116 x 691 on the desktop the window was designed for.
    resize(1100, 652);
    FormCreate();
}

void TFrm_Wid::FormCreate()
{
    Einheit_Wid = QStringLiteral("Ohm");
    FormScaler1->CaptureLayout();
    setWindowTitle(QStringLiteral("Version 3.0  Parallelschaltung von Widerständen"));
    ListPage->DekoButton1Click();
    ui.Grid1->setDefaultRowHeight(kRowHeight);
    ui.Grid1->setColWidths(0, kHeaderColumnWidth);
    MatrixFuellen();
    for (int r = kBodyRows + 1; r <= kLastRow; ++r) ui.Grid1->setRowHeights(r, -1);
    for (int c = kBodyColumns + 1; c <= kLastCol; ++c) ui.Grid1->setColWidths(c, -1);
    Button2Click();
    ui.Label7->hide();
    ui.Label7->clear(); // its design caption is a placeholder, for the eye and the ear alike
    WindowPlacement::centre(this, WindowPlacement::Monitor::MainWindow);
}

void TFrm_Wid::FormShow()
{
    // The list is fresh each time the window is opened, and the unit is back to Ohm, the
    // radio buttons included.
    ListPage->DekoButton1Click();
    if (ui.Auswahl1->isChecked()) Auswahl1Click();
    else ui.Auswahl1->setChecked(true); // runs Auswahl1Click
}

void TFrm_Wid::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Only a show from hidden; a restore from the task bar comes from the system and keeps
    // what the user entered.
    if (!event->spontaneous()) FormShow();
}

void TFrm_Wid::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FormScaler1->ApplyLayout();
    // The row of the list tab stands where the list puts it, not where it was designed.
    ListPage->ZeileAusrichten();
}

bool TFrm_Wid::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove) {
        if (watched == ui.Panel1) Panel1MouseMove();
        else if (watched == ui.TabSheet1) TabSheet1MouseMove();
        else if (watched == ui.centralwidget) FormMouseMove();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFrm_Wid::showPage(int index)
{
    ui.PageControl1->setCurrentIndex(index);
}

void TFrm_Wid::PageControl1Change(int)
{
    ui.Panel1->setVisible(true);
}

void TFrm_Wid::zurAuswahl2Click()
{
    close();
}

void TFrm_Wid::Programmbeenden1Click()
{
    close();
}

void TFrm_Wid::HilfezumProgramm1Click()
{
    HelpRequest::showTopic(kHelpContext);
}

void TFrm_Wid::FormMouseMove()
{
    ui.Label7->hide();
}

void TFrm_Wid::TabSheet1MouseMove()
{
    ui.Label7->hide();
}

void TFrm_Wid::Panel1MouseMove()
{
    ui.Label7->hide();
}

void TFrm_Wid::Grid1_MouseMove(int x, int y)
{
    Cursor_Anzeige(x, y);
}

void TFrm_Wid::Grid1_CurrentCellChanged(int col, int row)
{
    // A keyboard user moving through the matrix gets the readout the pointer would give.
    if (!ui.Grid1->hasFocus()) return;
    const QRect cell = ui.Grid1->CellRect(col, row);
    if (!cell.isEmpty()) Cursor_Anzeige(cell.center().x(), cell.center().y());
}

void TFrm_Wid::Edit_WidKeyUp()
{
    Positionieren();
    Paare_suchen();
}

void TFrm_Wid::Edit_ProzKeyUp()
{
    Paare_suchen();
}

void TFrm_Wid::Edit_WidClick()
{
    Paare_suchen();
}

void TFrm_Wid::Edit_ProzClick()
{
    Paare_suchen();
}

void TFrm_Wid::Edit_ProzMouseDown()
{
    Paare_suchen();
}

void TFrm_Wid::Button1Click()
{
    Paare_suchen();
}

void TFrm_Wid::Button2Click()
{
    Positionieren();
    Paare_suchen();
}

void TFrm_Wid::Auswahl1Click()
{
    Einheit_Wid = QStringLiteral("Ohm");
    Paare_suchen();
}

void TFrm_Wid::Auswahl2Click()
{
    Einheit_Wid = QStringLiteral("kOhm");
    Paare_suchen();
}

QStringList TFrm_Wid::columnHeaders() const
{
    QStringList texts;
    for (int n = 1; n <= kBodyColumns; ++n) texts << ui.Grid1->Cells(n, 0);
    return texts;
}

QStringList TFrm_Wid::rowHeaders() const
{
    QStringList texts;
    for (int m = 1; m <= kBodyRows; ++m) texts << ui.Grid1->Cells(0, m);
    return texts;
}

void TFrm_Wid::MatrixFuellen()
{
    std::array<std::optional<double>, kBodyRows + 1> rowValue;
    for (int m = 1; m <= kBodyRows; ++m)
        rowValue[m] = NumberText::parse(ui.Grid1->Cells(0, m));
    for (int n = 1; n <= kBodyColumns; ++n) {
        const auto a = NumberText::parse(ui.Grid1->Cells(n, 0));
        for (int m = 1; m <= kBodyRows; ++m) {
            const auto &b = rowValue[m];
            ui.Grid1->setCells(n, m, a && b ? PairMath::cellText(*a, *b) : QString());
        }
    }
}

void TFrm_Wid::Positionieren()
{
    ui.Grid1->setCurrentCell(1, 1);
    if (PairMath::scrollsToEnd(ui.Edit_Wid->ValueFloat())) ui.Grid1->setCurrentCell(kLastCol, kLastRow);
}

void TFrm_Wid::Paare_suchen()
{
    const QString unit = Einheit_Wid;
    SystemColors::setBackground(ui.Label_klein, SystemColors::aqua());
    SystemColors::setBackground(ui.Label_gleich, SystemColors::chartreuse());
    SystemColors::setBackground(ui.Label_gross, SystemColors::lightRose());
    ui.Grid1->setCells(0, 0, unit);
    ui.Label3->setText(QStringLiteral("Widerstandsbereich : 0,5 ") + unit + QStringLiteral(" bis 2.481 ") + unit +
                       QStringLiteral("\nToleranzbereich      : ± 1 % bis 20 %"));
    ui.Label2->setText(unit + QStringLiteral("   mit"));
    ui.Edit_Wid->setColor(SystemColors::yellow());
    const double w = ui.Edit_Wid->ValueFloat();
    for (int m = 1; m <= kBodyRows; ++m)
        for (int n = 1; n <= kBodyColumns; ++n) ui.Grid1->setCellColor(n, m, neutral());

    const double t = ui.Edit_Proz->ValueFloat();
    if (PairMath::toleranceNeedsCorrection(t)) {
        // The corrected tolerance shows in the field; the search starts again with it.
        ui.Edit_Proz->setValueFloat(PairMath::clampTolerance(t));
        ui.Button1->click();
        return;
    }

    const PairMath::MatrixResult result = PairMath::classifyMatrix(columnHeaders(), rowHeaders(), w, t);
    ui.Label_Wid->setText(QStringLiteral(" % Toleranz ergibt einen Bereich\n von  ") +
                          NumberText::number(result.band.lower, 2) + QStringLiteral("  bis  ") +
                          NumberText::number(result.band.upper, 2) + QStringLiteral("  ") + unit);
    for (int m = 1; m <= kBodyRows; ++m)
        for (int n = 1; n <= kBodyColumns; ++n) {
            const PairMath::CellClass c = result.cell(m, n);
            if (c != PairMath::CellClass::Outside) ui.Grid1->setCellColor(n, m, classColor(c));
        }

    setCount(ui.Label_gesamt, QStringLiteral("gesamt"), result.total);
    setCount(ui.Label_gleich, QStringLiteral("gleich"), result.equal);
    setCount(ui.Label_klein, QStringLiteral("kleiner"), result.smaller);
    setCount(ui.Label_gross, QStringLiteral("größer"), result.total - result.smaller - result.equal);
    ui.Label_Wert->setText(result.found() ? QString() : kNotFound);

    const bool accepted = PairMath::wantedAccepted(ui.Edit_Wid->ValueFloat());
    if (!accepted) {
        ui.Edit_Wid->setColor(SystemColors::red());
        ui.Label_Wid->setText(kTooLarge);
        for (int m = 1; m <= kBodyRows; ++m)
            for (int n = 1; n <= kBodyColumns; ++n) ui.Grid1->setCellColor(n, m, neutral());
    }
    describeResult(accepted);
}

void TFrm_Wid::describeResult(bool accepted)
{
    // The counts and the band change where the keyboard never goes, and a screen reader
    // speaks changes only of the focused control: so the controls that start a search carry
    // its result. A search run from the list's value field is not said there.
    QStringList counts;
    for (const QLabel *box : {ui.Label_klein, ui.Label_gleich, ui.Label_gross, ui.Label_gesamt})
        counts << box->accessibleName();
    QString text = counts.join(QStringLiteral(", ")) + QStringLiteral(". ");
    text += accepted ? ui.Edit_Proz->text() + QLatin1Char(' ') + ui.Label_Wid->text().simplified() : kTooLargeError;
    if (!ui.Label_Wert->text().isEmpty()) text += QStringLiteral(". ") + ui.Label_Wert->text();
    m_resultNotice->describe({ui.Edit_Wid, ui.Edit_Proz, ui.Auswahl1, ui.Auswahl2}, text);
}

void TFrm_Wid::Cursor_Anzeige(int x, int y)
{
    int col = -1;
    int row = -1;
    ui.Grid1->MouseToCell(QPoint(x, y), col, row);
    const bool onCell = col >= 0 && row >= 0;
    if (onCell && (col == 0 || row == 0)) {
        ui.Label7->hide();
        return;
    }
    ui.Label7->show();
    SystemColors::setBackground(ui.Label7, neutral());
    if (!onCell) return;

    const QColor cellColor = ui.Grid1->CellColor(col, row);
    for (const QColor &c : {SystemColors::aqua(), SystemColors::lightRose(), SystemColors::chartreuse()})
        if (cellColor == c) SystemColors::setBackground(ui.Label7, c);

    const QString unit = QLatin1Char(' ') + Einheit_Wid;
    const QString pair = QStringLiteral(" Cursor  => ") + ui.Grid1->Cells(0, row) + unit + QStringLiteral(" // ") +
                         ui.Grid1->Cells(col, 0) + unit + QStringLiteral(" = ") + ui.Grid1->Cells(col, row) + unit;
    ui.Label7->setText(pair + QLatin1Char(' '));
    ui.Label7->adjustSize();
    if (cellColor == neutral()) return;

    const std::optional<QString> deviation = deviationText(col, row);
    if (!deviation) return;
    ui.Label7->setText(pair + QStringLiteral("    ( Abweichung ") + *deviation + QStringLiteral(" % ) "));
    ui.Label7->adjustSize();
}

std::optional<QString> TFrm_Wid::deviationText(int col, int row) const
{
    const double w = ui.Edit_Wid->ValueFloat();
    const auto shown = NumberText::parse(ui.Grid1->Cells(col, row));
    if (!shown || !(w > 0)) return std::nullopt;
    return NumberText::number(PairMath::deviation(*shown, w), 1);
}

QString TFrm_Wid::cellDescription(int col, int row) const
{
    // The class is the one the cell is painted in, as for the readout.
    if (ui.Grid1->IsFixed(col, row)) return {};
    const QColor color = ui.Grid1->CellColor(col, row);
    QString text;
    if (color == SystemColors::aqua()) text = QStringLiteral("im Bereich, kleiner als gesucht");
    else if (color == SystemColors::chartreuse()) text = QStringLiteral("im Bereich, gleich dem gesuchten Wert");
    else if (color == SystemColors::lightRose()) text = QStringLiteral("im Bereich, größer als gesucht");
    else return {};
    if (const std::optional<QString> deviation = deviationText(col, row))
        text += QStringLiteral(", Abweichung ") + *deviation + QStringLiteral(" %");
    return text;
}
