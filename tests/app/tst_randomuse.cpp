// The real windows used at random, as a new user would: keys into every entry field, clicks
// on every visible button, label, radio button and grid cell, mouse moves over the grids, tab
// switches, resizes, hide and show, every message box answered at random, and runs of stored
// resistors that fill the list to 20 and past it. After every event the program's promises
// hold. Controls are found by their type and visibility, so that changed windows keep being
// covered; only the checks read the named controls of the calculator window.
//
// More by hand (a failure names its seed, which replays alone):
//   QT_QPA_PLATFORM=offscreen RANDOMUSE_SEEDS="4 5 6" RANDOMUSE_EVENTS=20000 build/tests/tst_randomuse
#include "BoxAnswerer.h"
#include "app/AppWindows.h"
#include "calc/WidTabelle.h"
#include "calc/global.h"
#include "common/NumberText.h"
#include "widgets/NumInp.h"
#include "widgets/NumberEdit.h"
#include "widgets/grid/CellGrid.h"
#include "widgets/grid/CellGridModel.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTabBar>
#include <QTest>
#include <QUrl>

#include <deque>
#include <functional>
#include <random>

namespace {

constexpr int kDefaultEvents = 1500;

QList<quint32> seedsToRun()
{
    const QString given = qEnvironmentVariable("RANDOMUSE_SEEDS");
    QList<quint32> seeds;
    for (const QString &s : given.split(QRegularExpression(QStringLiteral("[ ,]+")), Qt::SkipEmptyParts))
        seeds << s.toUInt();
    return seeds.isEmpty() ? QList<quint32>{1, 2, 3} : seeds;
}

int eventsPerSeed()
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("RANDOMUSE_EVENTS", &ok);
    return ok && n > 0 ? n : kDefaultEvents;
}

// Keys a user presses in an entry field; digits come up as often as all the others together.
const char kCharacters[] = {',', '.', '-', 'a', 'e', 'x'};
const Qt::Key kKeys[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Return, Qt::Key_Escape,
                         Qt::Key_Tab,       Qt::Key_Left,   Qt::Key_Right,  Qt::Key_Up,
                         Qt::Key_Down,      Qt::Key_Home,   Qt::Key_End};

// A number the program shows as such is never "nan" or "inf", in any case.
const QRegularExpression kNoNumber(QStringLiteral("(?<!\\p{L})(nan|inf)(?!\\p{L})"),
                                   QRegularExpression::CaseInsensitiveOption);

bool inMenu(const QWidget *w)
{
    for (; w; w = w->parentWidget())
        if (qobject_cast<const QMenuBar *>(w) || qobject_cast<const QMenu *>(w)) return true;
    return false;
}

// The texts a visible control shows.
QStringList shownTexts(const QWidget *w)
{
    QStringList texts;
    if (const auto *label = qobject_cast<const QLabel *>(w)) texts << label->text();
    if (const auto *edit = qobject_cast<const QLineEdit *>(w)) texts << edit->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(w)) texts << button->text();
    if (const auto *combo = qobject_cast<const QComboBox *>(w)) texts << combo->currentText();
    if (const auto *tabs = qobject_cast<const QTabBar *>(w))
        for (int i = 0; i < tabs->count(); ++i)
            texts << tabs->tabText(i);
    if (const auto *grid = qobject_cast<const TCellGrid *>(w)) {
        const TCellGridModel *m = grid->model();
        for (int r = 0; r < m->rowCount(); ++r)
            for (int c = 0; c < m->columnCount(); ++c)
                texts << m->data(m->index(r, c)).toString()
                      << m->data(m->index(r, c), Qt::ToolTipRole).toString();
    }
    if (w->isWindow()) texts << w->windowTitle();
    return texts;
}

// "12 x" -> 12; -1 for anything else.
int count(const QWidget *label)
{
    const QString text = label->property("text").toString();
    bool ok = false;
    const int n = text.endsWith(QLatin1String(" x")) ? text.chopped(2).toInt(&ok) : -1;
    return ok ? n : -1;
}

} // namespace

class TestRandomUse : public QObject
{
    Q_OBJECT

    std::mt19937 m_random;
    QList<QWidget *> m_windows;
    BoxAnswerer *m_boxes = nullptr;
    std::deque<QString> m_lastEvents;
    quint32 m_seed = 0;
    int m_event = 0;
    int m_fullest = 0;
    int m_urlsOpened = 0;

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    bool chance(int percent) { return pick(100) < percent; }
    template <class T> T *any(const QList<T *> &list)
    {
        return list.isEmpty() ? nullptr : list[pick(int(list.size()))];
    }
    QPoint anywhereIn(const QWidget *w)
    {
        return QPoint(pick(std::max(1, w->width())), pick(std::max(1, w->height())));
    }

    template <class T> T *named(const QString &name) const
    {
        T *c = Frm_Wid->findChild<T *>(name);
        if (!c) qFatal("the calculator window has no control %s", qPrintable(name));
        return c;
    }

    QList<QWidget *> visibleWindows() const
    {
        QList<QWidget *> shown;
        for (QWidget *w : m_windows)
            if (w->isVisible()) shown << w;
        return shown;
    }

    // The usable controls of type T in the visible windows.
    template <class T> QList<T *> visibleControls() const
    {
        QList<T *> found;
        for (QWidget *window : visibleWindows())
            for (T *c : window->findChildren<T *>())
                if (c->isVisible() && c->isEnabled() && !inMenu(c)) found << c;
        return found;
    }

    void activate(QWidget *window)
    {
        if (!window->isVisible()) window->show();
        if (QApplication::activeWindow() == window) return;
        window->raise();
        window->activateWindow();
        (void)QTest::qWaitForWindowActive(window, 200);
    }

    // ---- What holds after every event; empty when everything does.

    QString brokenPromise() const
    {
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (!top->isVisible() || qobject_cast<QMessageBox *>(top) || qobject_cast<QMenu *>(top)) continue;
            QList<QWidget *> controls = top->findChildren<QWidget *>();
            controls.prepend(top);
            for (const QWidget *c : controls) {
                if (!c->isVisible()) continue;
                for (const QString &text : shownTexts(c))
                    if (text.contains(kNoNumber))
                        return QStringLiteral("%1 shows \"%2\"").arg(c->objectName(), text.left(200));
            }
        }
        if (const QString list = listPromise(); !list.isEmpty()) return list;

        QString total = named<QWidget>(QStringLiteral("Edit_ges"))->property("text").toString().trimmed();
        for (const char *unit : {"kOhm", "MOhm", "Ohm"})
            if (total.endsWith(QLatin1String(unit)))
                total = total.chopped(qsizetype(qstrlen(unit))).trimmed();
        const auto value = NumberText::parse(total.remove(NumberText::settings().thousand));
        if (!value) return QStringLiteral("the total field shows \"%1\"").arg(total);

        const int all = count(named<QLabel>(QStringLiteral("Label_gesamt")));
        const int smaller = count(named<QLabel>(QStringLiteral("Label_klein")));
        const int equal = count(named<QLabel>(QStringLiteral("Label_gleich")));
        const int greater = count(named<QLabel>(QStringLiteral("Label_gross")));
        if (smaller < 0 || equal < 0 || greater < 0 || smaller + equal + greater != all)
            return QStringLiteral("the pair counts %1 + %2 + %3 do not make %4")
                .arg(smaller)
                .arg(equal)
                .arg(greater)
                .arg(all);
        return {};
    }

    // The row shows exactly the stored resistors, and the counter the new slot.
    QString listPromise() const
    {
        if (Belegt < 1 || Belegt > 21 || Aktuell < 1 || Aktuell > Belegt)
            return QStringLiteral("Belegt %1, Aktuell %2").arg(Belegt).arg(Aktuell);
        if (named<TNumInp>(QStringLiteral("NumInp1"))->Value() != Belegt)
            return QStringLiteral("the counter does not show Belegt %1").arg(Belegt);
        for (int n = 1; n <= kMaxWiderstaende; ++n) {
            const bool stored = n < Belegt;
            const auto *nr = named<QLabel>(QStringLiteral("Nr_R_%1").arg(n));
            const auto *image = named<QLabel>(QStringLiteral("Image%1").arg(n));
            const auto *value = named<QLabel>(QStringLiteral("R_%1_Text").arg(n));
            const auto *unit = named<QLabel>(QStringLiteral("E_%1").arg(n));
            const bool shows =
                nr->text() == (stored ? QString::number(n) : QString()) && !image->isHidden() == stored &&
                (stored ? !value->isHidden() && value->text() == NumberText::number(Liste[n].Wert) &&
                              unit->text() == Liste[n].Einheit
                        : value->isHidden() || value->text().isEmpty());
            if (!shows)
                return QStringLiteral(
                           "position %1 of %2 stored shows number \"%3\", value \"%4\", unit \"%5\"")
                    .arg(n)
                    .arg(Belegt - 1)
                    .arg(nr->text(), value->text(), unit->text());
        }
        return {};
    }

    // Runs one event and checks every promise after it; false (and the test failed) when
    // one is broken.
    bool step(const QString &what, const std::function<void()> &event)
    {
        ++m_event;
        m_lastEvents.push_back(QStringLiteral("%1: %2").arg(m_event).arg(what));
        if (m_lastEvents.size() > 12) m_lastEvents.pop_front();
        event();
        m_fullest = std::max(m_fullest, int(Belegt));
        const QString broken = brokenPromise();
        if (broken.isEmpty()) return true;
        QString report =
            QStringLiteral("seed %1, event %2: %3\nlast events:").arg(m_seed).arg(m_event).arg(broken);
        for (const QString &e : m_lastEvents)
            report += QStringLiteral("\n  ") + e;
        QTest::qFail(qPrintable(report), __FILE__, __LINE__);
        return false;
    }

    // ---- Events

    bool typeIntoAField()
    {
        QLineEdit *field = any(visibleControls<QLineEdit>());
        if (!field) return true;
        activate(field->window());
        if (!step(QStringLiteral("click into %1").arg(field->objectName()),
                  [&] { QTest::mouseClick(field, Qt::LeftButton, {}, anywhereIn(field)); }))
            return false;
        for (int keys = 1 + pick(8); keys > 0; --keys) {
            if (chance(50)) {
                const char digit = char('0' + pick(10));
                if (!step(QStringLiteral("'%1' in %2").arg(digit).arg(field->objectName()),
                          [&] { QTest::keyClick(field, digit); }))
                    return false;
            } else if (chance(35)) {
                const char c = kCharacters[pick(int(std::size(kCharacters)))];
                if (!step(QStringLiteral("'%1' in %2").arg(c).arg(field->objectName()),
                          [&] { QTest::keyClick(field, c); }))
                    return false;
            } else {
                const Qt::Key key = kKeys[pick(int(std::size(kKeys)))];
                if (!step(QStringLiteral("%1 in %2")
                              .arg(QKeySequence(QKeyCombination(key)).toString(), field->objectName()),
                          [&] { QTest::keyClick(field, key); }))
                    return false;
            }
        }
        return true;
    }

    bool clickSomething()
    {
        QList<QWidget *> targets;
        for (QAbstractButton *b : visibleControls<QAbstractButton>())
            targets << b;
        for (QLabel *l : visibleControls<QLabel>())
            targets << l;
        QWidget *target = any(targets);
        if (!target) return true;
        activate(target->window());
        const QPoint at = anywhereIn(target);
        return step(QStringLiteral("click on %1 at %2,%3").arg(target->objectName()).arg(at.x()).arg(at.y()),
                    [&] { QTest::mouseClick(target, Qt::LeftButton, {}, at); });
    }

    bool useAGrid()
    {
        TCellGrid *grid = any(visibleControls<TCellGrid>());
        if (!grid) return true;
        activate(grid->window());
        QWidget *surface = grid->viewport();
        if (chance(40)) {
            const int c = pick(grid->ColCount()), r = pick(grid->RowCount());
            const QRect cell = grid->CellRect(c, r);
            const QPoint at = cell.isEmpty() ? anywhereIn(surface) : cell.center();
            return step(QStringLiteral("click on %1 cell %2,%3").arg(grid->objectName()).arg(c).arg(r),
                        [&] { QTest::mouseClick(surface, Qt::LeftButton, {}, at); });
        }
        for (int moves = 1 + pick(6); moves > 0; --moves) {
            const QPoint at = anywhereIn(surface);
            if (!step(
                    QStringLiteral("mouse over %1 at %2,%3").arg(grid->objectName()).arg(at.x()).arg(at.y()),
                    [&] { QTest::mouseMove(surface, at); }))
                return false;
        }
        return true;
    }

    bool switchTabs()
    {
        QTabBar *tabs = any(visibleControls<QTabBar>());
        if (!tabs || tabs->count() == 0) return true;
        activate(tabs->window());
        const int i = pick(tabs->count());
        return step(QStringLiteral("tab %1 of %2").arg(i).arg(tabs->parentWidget()->objectName()),
                    [&] { QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(i).center()); });
    }

    bool resizeAWindow()
    {
        QWidget *window = any(visibleWindows());
        if (!window) return true;
        const QSize size(std::clamp(window->width() * (70 + pick(61)) / 100, 200, 1600),
                         std::clamp(window->height() * (70 + pick(61)) / 100, 150, 1000));
        return step(QStringLiteral("resize %1 to %2 x %3")
                        .arg(window->objectName())
                        .arg(size.width())
                        .arg(size.height()),
                    [&] {
                        window->resize(size);
                        QCoreApplication::processEvents();
                    });
    }

    bool hideOrShow()
    {
        QWidget *window = any(m_windows);
        const bool hide = window->isVisible();
        return step(QStringLiteral("%1 %2").arg(hide ? "hide" : "show", window->objectName()), [&] {
            if (hide) {
                window->hide();
            } else {
                activate(window);
            }
        });
    }

    // "Ok und neu" with typed values, `times` times (until the list is full and once more
    // when `times` is 0).
    bool storeResistors(int times)
    {
        activate(Frm_Wid);
        QTabBar *tabs = named<QTabWidget>(QStringLiteral("PageControl1"))->tabBar();
        if (tabs->currentIndex() != 1 && !step(QStringLiteral("tab 1 to store"), [&] {
                QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
            }))
            return false;
        auto *entry = named<TNumberEdit>(QStringLiteral("Edit_R"));
        auto *store = named<QAbstractButton>(QStringLiteral("Btn_Neu"));
        if (!entry->isVisible() || !store->isVisible()) return true;
        const bool untilFull = times == 0;
        for (int i = 0; untilFull ? Belegt <= kMaxWiderstaende + 1 && i < 25 : i < times; ++i) {
            const bool once = untilFull && Belegt > kMaxWiderstaende;
            QString value = QString::number(1 + pick(9999));
            if (chance(30)) value += QLatin1Char(',') + QString::number(pick(100));
            if (!step(QStringLiteral("type %1 into Edit_R").arg(value), [&] {
                    QTest::mouseClick(entry, Qt::LeftButton);
                    QTest::keyClick(entry, Qt::Key_A, Qt::ControlModifier);
                    QTest::keyClicks(entry, value);
                }))
                return false;
            if (!step(QStringLiteral("Ok und neu at %1 stored").arg(Belegt - 1), [&] { store->click(); }))
                return false;
            if (once) break;
        }
        return true;
    }

public slots:
    // Link labels open their addresses here instead of in a browser.
    void openUrl(const QUrl &) { ++m_urlsOpened; }

private slots:
    void initTestCase()
    {
        // The offscreen platform says on every message box that it cannot do what a desktop
        // does; thousands of those lines would hide the report.
        static const QtMessageHandler passOn = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext &context, const QString &message) {
                if (!message.startsWith(QLatin1String("This plugin does not support")))
                    passOn(type, context, message);
            });
        AppWindows::setUpApplication();
        for (const char *scheme : {"http", "https", "mailto", "file"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "openUrl");
    }

    void cleanupTestCase()
    {
        for (const char *scheme : {"http", "https", "mailto", "file"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }

    void init()
    {
        // Start-up messages are closed with Escape; from then on every box gets a random
        // answer, drawn from the seeded sequence.
        m_boxes = new BoxAnswerer;
        m_windows.clear();
        AppWindows::createAll([this](QWidget *w) { m_windows << w; });
        m_boxes->answerWith([this](const BoxAnswerer::Box &box) {
            QStringList choices = box.buttons;
            choices << QStringLiteral("<Escape>") << QStringLiteral("<Close>");
            return choices[pick(int(choices.size()))];
        });
        // The main window comes first and is the one the program shows.
        m_windows.first()->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_windows.first()));
    }

    void cleanup()
    {
        AppWindows::destroyAll();
        delete m_boxes;
        m_boxes = nullptr;
    }

    void promisesHoldUnderRandomUse_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : seedsToRun())
            QTest::addRow("seed %u", seed) << seed;
    }
    void promisesHoldUnderRandomUse()
    {
        QFETCH(quint32, seed);
        m_seed = seed;
        m_random.seed(seed);
        m_event = 0;
        m_fullest = 0;
        m_urlsOpened = 0;
        m_lastEvents.clear();
        const int events = eventsPerSeed();
        // Random clicks alone rarely store more than two resistors: once per run the list is
        // filled on purpose, and runs of stores come up often.
        const int fillAt = pick(events / 2);
        bool filled = false;
        while (m_event < events) {
            bool ok = true;
            if (!filled && m_event >= fillAt) {
                filled = true;
                ok = storeResistors(0);
            } else if (visibleWindows().isEmpty()) {
                ok = hideOrShow();
            } else {
                const int what = pick(100);
                if (what < 27)
                    ok = typeIntoAField();
                else if (what < 60)
                    ok = clickSomething();
                else if (what < 75)
                    ok = useAGrid();
                else if (what < 80)
                    ok = switchTabs();
                else if (what < 85)
                    ok = resizeAWindow();
                else if (what < 90)
                    ok = hideOrShow();
                else
                    ok = storeResistors(1 + pick(12));
            }
            if (!ok) return;
        }
        int refused = 0;
        for (const BoxAnswerer::Box &box : m_boxes->seen())
            refused += box.text == QStringLiteral("Nur maximal 20 Widerstände zulässig!");
        qInfo("seed %u: %d events, %lld message boxes answered, list full %d times refused, %d addresses "
              "opened",
              seed, m_event, qlonglong(m_boxes->seen().size()), refused, m_urlsOpened);
        QVERIFY2(m_fullest == kMaxWiderstaende + 1 && refused > 0,
                 qPrintable(QStringLiteral("seed %1: the list never got full").arg(seed)));
    }
};

QTEST_MAIN(TestRandomUse)
#include "tst_randomuse.moc"
