#include "widgets/Look.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QStringList>

namespace vocarin::look {

namespace {

const QString kJapaneseGothic = QStringLiteral("Noto Sans CJK JP");
const QString kJapaneseMonoGothic = QStringLiteral("Noto Sans Mono CJK JP");

// Without a Japanese face first, the font fallback may pick a Chinese one for kanji.
QFont japaneseFirst(QFont font)
{
    QStringList families = font.families();
    if (families.isEmpty())
        families.append(font.family());
    families.removeAll(kJapaneseGothic);
    families.prepend(kJapaneseGothic);
    font.setFamilies(families);
    return font;
}

} // namespace

QFont designFont(bool gothic, int pixelSize, bool bold)
{
    QFont font = japaneseFirst(QApplication::font());
    if (gothic)
        font.setFamilies({kJapaneseMonoGothic, kJapaneseGothic});
    font.setPixelSize(pixelSize > 0 ? pixelSize : kDefaultTextSize);
    font.setBold(bold);
    return font;
}

void applyJapaneseDefaultFont()
{
    // Faces shipped beside the program (on Windows, which has no Noto Sans
    // CJK); on Linux the system's fonts have them and the folder is absent.
    const QDir shipped(QApplication::applicationDirPath() + QStringLiteral("/fonts"));
    for (const QString& file : shipped.entryList(QDir::Files))
        QFontDatabase::addApplicationFont(shipped.filePath(file));
    QApplication::setFont(japaneseFirst(QApplication::font()));
}

} // namespace vocarin::look
