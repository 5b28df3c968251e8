#include "BoxAnswerer.h"
#include "ShownTexts.h"

#include "app/AppWindows.h"
#include "app/Haupt.h"
#include "app/Hinweise.h"
#include "app/Info.h"
#include "app/Kontakt.h"
#include "calc/WidTabelle.h"

#include <QTest>

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
        for (const ShownTexts::Text &t : ShownTexts::of(window))
            check(t.where, t.text, t.font);
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
