#include "BoxAnswerer.h"

#include "app/AppWindows.h"
#include "app/Haupt.h"
#include "app/Hinweise.h"
#include "app/Info.h"
#include "app/Kontakt.h"
#include "calc/WidTabelle.h"
#include "widgets/grid/CellGrid.h"
#include "widgets/grid/CellGridModel.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTabBar>
#include <QTest>
#include <QTextDocument>

// The windows' design fonts are drawn by stand-in fonts that borrow no glyphs from other
// fonts. Whatever the windows show in such a font must therefore be in it, or it would
// show as empty boxes.
class TestWindowFonts : public QObject
{
    Q_OBJECT

    QStringList m_missing;
    int m_checked = 0;

    void check(const QString &where, const QString &text, const QFont &font)
    {
        if (!(font.styleStrategy() & QFont::NoFontMerging)) return;
        ++m_checked;
        const QFontMetrics fm(font);
        for (const char32_t c : text.toUcs4()) {
            if (QChar::isSpace(c) || c < 0x20) continue;
            if (!fm.inFontUcs4(c))
                m_missing << QStringLiteral("%1: U+%2 in %3")
                                 .arg(where)
                                 .arg(uint(c), 4, 16, QLatin1Char('0'))
                                 .arg(font.family());
        }
    }

    void checkWindow(QWidget *window)
    {
        const auto where = [window](const QObject *o) {
            return window->objectName() + QLatin1Char('/') + o->objectName();
        };
        for (QWidget *w : window->findChildren<QWidget *>()) {
            if (auto *label = qobject_cast<QLabel *>(w)) {
                QTextDocument doc;
                doc.setHtml(label->text());
                check(where(w), Qt::mightBeRichText(label->text()) ? doc.toPlainText() : label->text(),
                      w->font());
            } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
                check(where(w), QString(button->text()).remove(QLatin1Char('&')), w->font());
            } else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
                check(where(w), edit->text(), w->font());
            } else if (auto *box = qobject_cast<QGroupBox *>(w)) {
                check(where(w), box->title(), w->font());
            } else if (auto *tabs = qobject_cast<QTabBar *>(w)) {
                for (int i = 0; i < tabs->count(); ++i)
                    check(where(w), tabs->tabText(i), w->font());
            } else if (auto *bar = qobject_cast<QMenuBar *>(w)) {
                for (QAction *a : bar->actions())
                    check(where(w), QString(a->text()).remove(QLatin1Char('&')), w->font());
            } else if (auto *grid = qobject_cast<TCellGrid *>(w)) {
                const QAbstractItemModel *m = grid->model();
                for (int r = 0; r < m->rowCount(); ++r)
                    for (int c = 0; c < m->columnCount(); ++c) {
                        const QModelIndex i = m->index(r, c);
                        check(where(w), i.data(Qt::DisplayRole).toString(),
                              i.data(Qt::FontRole).value<QFont>());
                    }
            }
        }
    }

private slots:
    void initTestCase()
    {
        AppWindows::setUpApplication();
        BoxAnswerer startupBoxes; // help file and viewer are not beside the test
        AppWindows::createAll();
    }

    void cleanupTestCase() { AppWindows::destroyAll(); }

    void everyShownCharacterIsInItsFont()
    {
        for (QWidget *window : QList<QWidget *>{Frm_Haupt, Frm_Kontakt, Frm_Info, Frm_Hinweise, Frm_Wid})
            checkWindow(window);
        QVERIFY(m_checked > 100);
        QVERIFY2(m_missing.isEmpty(), qPrintable(m_missing.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestWindowFonts)
#include "tst_windowfonts.moc"
