#include "common/Fonts.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#ifdef _WIN32
#include <QDir>
#include <QFontDatabase>
#endif
#include <QHash>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace Fonts {

namespace {

const QHash<QString, QString> &table()
{
    static const QHash<QString, QString> t = {
        {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("Arial Narrow"), QStringLiteral("Liberation Sans Narrow")},
        {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")},
        {QStringLiteral("Segoe UI"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("Segoe Print"), QStringLiteral("Comic Neue")},
        {QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue")},
        {QStringLiteral("Georgia"), QStringLiteral("DejaVu Serif")},
        {QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("Courier"), QStringLiteral("Liberation Mono")},
        {QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")},
    };
    return t;
}

// A font the window description set, still in the points notation, becomes a pixel size.
bool convertToPixels(QWidget *w)
{
    if (!w->testAttribute(Qt::WA_SetFont)) return false;
    QFont f = w->font();
    if (f.pointSize() <= 0) return false; // already in pixels
    f.setPixelSize(f.pointSize());
    // A stand-in font carries every character the windows show (a test checks that), so
    // it never borrows glyphs from other fonts; finding those other fonts would cost more
    // than the font itself.
    if (!QFont::substitutes(f.family()).isEmpty()) f.setStyleStrategy(QFont::NoFontMerging);
    w->setFont(f);
    return true;
}

// Sees each font change before the widget itself does. Only the description's own font
// changes happen while it is applied (tab pages are not yet part of the window then).
class ConvertOnChange : public QObject
{
public:
    ConvertOnChange() { qApp->installEventFilter(this); }
    ~ConvertOnChange() override { qApp->removeEventFilter(this); }
    ConvertOnChange(const ConvertOnChange &) = delete;
    ConvertOnChange &operator=(const ConvertOnChange &) = delete;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::FontChange || !watched->isWidgetType()) return false;
        // The widget has just been told about the converted font; the news of the
        // unconverted one would only make it measure text in a font it never shows.
        return convertToPixels(static_cast<QWidget *>(watched));
    }
};

#ifdef _WIN32
// The program folder's fonts/ holds the stand-ins as their families name their files:
// "Liberation Sans Narrow" in LiberationSansNarrow-Bold.ttf and so on.
void loadStandInFromProgramFolder(const QString &family)
{
    QString stem = family;
    stem.remove(QLatin1Char(' '));
    const QDir folder(QCoreApplication::applicationDirPath() + QLatin1String("/fonts"));
    const QStringList faces = folder.entryList({stem + QLatin1String(".?tf"), stem + QLatin1String("-*.?tf")}, QDir::Files);
    for (const QString &face : faces) QFontDatabase::addApplicationFont(folder.filePath(face));
}
#endif

} // namespace

QString substituteFor(const QString &designFamily)
{
    return table().value(designFamily, designFamily);
}

QStringList standInFamilies()
{
    QStringList families = table().values();
    families.sort();
    families.removeDuplicates();
    return families;
}

QFont standIn(const QFont &font)
{
    const QStringList substitutes = QFont::substitutes(font.family());
    if (substitutes.isEmpty()) return font;
    QFont drawn(font);
    drawn.setFamilies({substitutes.first()});
    return drawn;
}

void install()
{
#ifdef _WIN32
    // Windows has the design fonts, mostly: a stand-in only where one is missing (Arial
    // Narrow comes with some programs only; under Wine none is there), loaded from the
    // program's own folder when the system does not have it either. Asked of the family
    // list: QFontDatabase::hasFamily() would remember an absent family as an empty one,
    // and a bold font of that name would then be drawn from the stand-in's regular face.
    const QStringList installed = QFontDatabase::families();
    const auto has = [&installed](const QString &family) { return installed.contains(family, Qt::CaseInsensitive); };
#endif
    for (auto it = table().cbegin(); it != table().cend(); ++it) {
#ifdef _WIN32
        if (has(it.key())) continue;
        if (!has(it.value())) loadStandInFromProgramFolder(it.value());
#endif
        QFont::insertSubstitution(it.key(), it.value());
    }
    // Menus and message boxes: the Windows 10 menu font, 12 pixels. Its stand-in is asked
    // for by its own name, which spares a search for a font that is not there.
    const QString menuFamily = QStringLiteral("Segoe UI");
    QFont menuFont(QFont::substitutes(menuFamily).isEmpty() ? menuFamily : substituteFor(menuFamily));
    menuFont.setPixelSize(12);
#ifdef _WIN32
    // FreeType hints fully on Windows and lightly on Linux (the desktop's default): text would
    // measure a pixel wider here and there, and labels that fit their text would grow. Every
    // widget's font inherits the lighter hinting from the application's.
    menuFont.setHintingPreference(QFont::PreferVerticalHinting);
#endif
    QApplication::setFont(menuFont);
}

void applyDesignPixelSizes(QWidget *root)
{
    convertToPixels(root);
    const auto children = root->findChildren<QWidget *>();
    for (QWidget *child : children) convertToPixels(child);
}

void buildWithDesignPixelSizes(QWidget *window, const std::function<void()> &build)
{
    {
        const ConvertOnChange converting;
        build();
    }
    applyDesignPixelSizes(window);
}

} // namespace Fonts
