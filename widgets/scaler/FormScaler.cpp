#include "widgets/scaler/FormScaler.h"

#include "widgets/scaler/ControlScaler.h"
#include "widgets/scaler/EScalerException.h"

#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>

namespace {

// The window's own controls carry the names they were designed with; the parts Qt builds
// inside its widgets (tab bars, scroll bars, viewports) are unnamed or named "qt_...",
// and their owners place them.
bool isDesigned(const QWidget *w)
{
    const QString name = w->objectName();
    return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

// Every control below `parent` in creation order, each container before its contents.
// Menus and other windows are no controls of this window.
void collectControls(const QWidget *parent, std::vector<QWidget *> &out)
{
    for (QObject *child : parent->children()) {
        auto *w = qobject_cast<QWidget *>(child);
        if (!w || w->isWindow() || qobject_cast<QMenuBar *>(w) || qobject_cast<QMenu *>(w)) continue;
        if (isDesigned(w)) {
            out.push_back(w);
            collectControls(w, out);
        } else if (qobject_cast<QStackedWidget *>(w)) {
            // A tab control keeps its pages in a stack of its own.
            collectControls(w, out);
        }
    }
}

} // namespace

TFormScaler::TFormScaler(QObject *owner) : QObject(owner), m_window(qobject_cast<QWidget *>(owner))
{
    if (!owner) throw EScalerException(QStringLiteral("TFormScaler created without an owner"));
    if (!m_window) throw EScalerException(QStringLiteral("TFormScaler owner must be a panel or form"));
}

TFormScaler::~TFormScaler() = default;

void TFormScaler::NotifyPostResize(TFormScaler *sender, QWidget *control, double heightRatio,
                                   double widthRatio)
{
    if (OnPostResize) OnPostResize(sender, control, heightRatio, widthRatio);
}

void TFormScaler::CaptureLayout()
{
    if (m_captured) return;
    m_captured = true;
    const QSize outer = m_window->frameGeometry().size();
    m_frame = outer - m_window->size();
    m_designHeight = outer.height();
    m_designWidth = outer.width();
    // The window manager keeps a resizing user from going below the design size.
    if (EnforceMinSize) m_window->setMinimumSize(m_window->minimumSize().expandedTo(m_window->size()));

    std::vector<QWidget *> controls;
    collectControls(m_window, controls);
    for (QWidget *c : controls)
        m_entries.push_back(
            std::make_unique<TControlScaler>(c, m_window, ResizeFonts, MinFontSize, MaxFontSize));
}

void TFormScaler::ApplyLayout()
{
    // Without a design size there is nothing to scale from.
    if (!m_captured || m_designHeight <= 0 || m_designWidth <= 0) return;
    if (EnforceMinSize) {
        // The floor is the window's minimum size: its design size, unless the window had to
        // be made smaller to fit its screen.
        const QSize floor = m_window->minimumSize() + m_frame;
        if (OuterSize().height() < floor.height()) SetOuterSize({OuterSize().width(), floor.height()});
        if (OuterSize().width() < floor.width()) SetOuterSize({floor.width(), OuterSize().height()});
    }

    const QSize outer = OuterSize();
    const double h = outer.height();
    const double w = outer.width();
    const double heightRatio = h / m_designHeight;
    const double widthRatio = w / m_designWidth;
    for (const auto &entry : m_entries) {
        QWidget *control = entry->Control();
        if (!control) continue; // destroyed since capture
        entry->ScaleControl(h, w, heightRatio, widthRatio);
        NotifyPostResize(this, control, heightRatio, widthRatio);
        if (entry->FitsItsText()) keepFitting(static_cast<QLabel *>(control));
    }
}

QSize TFormScaler::OuterSize() const
{
    return m_window->size() + m_frame;
}

void TFormScaler::SetOuterSize(const QSize &outer)
{
    m_window->resize(outer - m_frame);
}

double TFormScaler::HeightRatio() const
{
    return m_captured && m_designHeight > 0 ? double(OuterSize().height()) / m_designHeight : 1.0;
}

double TFormScaler::WidthRatio() const
{
    return m_captured && m_designWidth > 0 ? double(OuterSize().width()) / m_designWidth : 1.0;
}

int TFormScaler::ScaleHorizontal(int designPixels) const
{
    return TControlScaler::RoundHalfEven(designPixels * WidthRatio());
}

// A label the scaler has fitted stays fitted, as a self-sizing label does: when it is
// shown, and when its text changes (Qt then asks the label's parent to lay out again).
void TFormScaler::keepFitting(QLabel *label)
{
    label->installEventFilter(this);
    if (QWidget *parent = label->parentWidget()) parent->installEventFilter(this);
}

bool TFormScaler::eventFilter(QObject *watched, QEvent *event)
{
    const bool shown = event->type() == QEvent::Show;
    if (shown || event->type() == QEvent::LayoutRequest) {
        for (const auto &entry : m_entries) {
            QWidget *c = entry->Control();
            if (!c || !entry->FitsItsText()) continue;
            if ((shown && c == watched) || (!shown && c->parent() == watched)) entry->Refit();
        }
    }
    return QObject::eventFilter(watched, event);
}
