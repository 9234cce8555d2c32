// A long session of the real main window and course dialog on the offscreen
// platform: thousands of answers over many program starts, course changes and
// option changes, sound into a capture sink and a tone voice. Meant to run
// under the sanitizers, which report any leak at exit; it prints the resident
// memory at the start and the end so that growth shows.

#include "ProgramHarness.h"
#include "WorkingFolder.h"

#include <QComboBox>
#include <QDir>
#include <QRadioButton>

using namespace Qt::StringLiterals;
using namespace vocarin;
using namespace vocarin::testkit;

namespace {

constexpr int kAnswers = 10000;

qint64 residentKb(QByteArrayView field)
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(field.size() + 1).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

QByteArray utf16Lines(const QStringList& lines)
{
    const QString text = lines.join(u'\n') + u'\n';
    return QByteArray("\xFF\xFE", 2) +
           QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

} // namespace

class LongRunTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void thousandsOfAnswers();

private:
    void writeCourses();
    // OK on a course in the dialog; after the course that fails to load the
    // dialog is still up, and the next one is taken.
    std::function<void(TForm2&)> choose(int row) const;
    void changeOption(TForm1& form);
    // One press on an answer button, right more often than wrong; false when no
    // button can be pressed.
    bool answer(TForm1& form);

    std::mt19937 m_dice{7};
    int m_courseCount = 0;
    int m_brokenRow = -1;
};

void LongRunTest::writeCourses()
{
    // Course 0 is the working folder itself; the rest are subfolders.
    const QStringList fruit{u"apple"_s, u"grape"_s,  u"peach"_s, u"lemon"_s,
                            u"melon"_s, u"cherry"_s, u"plum"_s,  u"pear"_s};
    const QStringList fruitJ{u"りんご"_s, u"ぶどう"_s,     u"もも"_s,   u"レモン"_s,
                             u"メロン"_s, u"さくらんぼ"_s, u"すもも"_s, u"なし"_s};
    writeFile(u"Option.txt"_s, utf8Lines({u"果物"_s, u"f"_s, u"6"_s}));
    writeFile(u"fE.txt"_s, utf8Lines(fruit));
    writeFile(u"fJ.txt"_s, utf8Lines(fruitJ));

    QStringList many, manyJ;
    for (int i = 0; i < 300; ++i) {
        many.append(u"word"_s + QString::number(i));
        manyJ.append(u"意味"_s + QString::number(i));
    }
    QDir().mkpath(u"2_many/lists"_s);
    writeFile(u"2_many/Option.txt"_s, utf16Lines({u"たくさん"_s, u"lists/m"_s, u"wav"_s, u"4"_s}));
    writeFile(u"2_many/lists/mE.txt"_s, utf16Lines(many));
    writeFile(u"2_many/lists/mJ.txt"_s, utf16Lines(manyJ));

    // Repeated words: fewer different words than buttons.
    QDir().mkpath(u"3_same"_s);
    writeFile(u"3_same/Option.txt"_s, "Same\r\n\r\n5\r\n");
    writeFile(u"3_same/E.txt"_s, "cat\r\ncat\r\ndog\r\ncat\r\n");
    writeFile(u"3_same/J.txt"_s, "neko\r\nneko2\r\ninu\r\nneko3\r\n");

    // A meaning list one line short: loading it shows the list index fault.
    QDir().mkpath(u"4_short"_s);
    writeFile(u"4_short/Option.txt"_s, utf8Lines({u"短い"_s, u"s"_s, u"3"_s}));
    writeFile(u"4_short/sE.txt"_s, utf8Lines({u"one"_s, u"two"_s, u"three"_s}));
    writeFile(u"4_short/sJ.txt"_s, utf8Lines({u"いち"_s, u"に"_s}));

    m_courseCount = 4;
    m_brokenRow = 3;
}

std::function<void(TForm2&)> LongRunTest::choose(int row) const
{
    if (row != m_brokenRow)
        return [row](TForm2& dialog) { pressOk(dialog, {row}); };
    return [this, row](TForm2& dialog) { pressOk(dialog, {row, (row + 1) % m_courseCount}); };
}

void LongRunTest::changeOption(TForm1& form)
{
    QRadioButton* const items[] = {
        form.control<QRadioButton>(u"rbItem1"_s), form.control<QRadioButton>(u"rbItem2"_s),
        form.control<QRadioButton>(u"rbItem3"_s), form.control<QRadioButton>(u"rbItem4"_s),
        form.control<QRadioButton>(u"rbItem5"_s), form.control<QRadioButton>(u"rbItem6"_s)};
    switch (m_dice() % 6) {
    case 0:
    case 1:
        items[m_dice() % 6]->click();
        break;
    case 2:
        (m_dice() % 2 ? form.control<QRadioButton>(u"rbRndOn"_s)
                      : form.control<QRadioButton>(u"rbRndOff"_s))
            ->click();
        break;
    case 3:
        (m_dice() % 2 ? form.control<QRadioButton>(u"rbEnglishOn"_s)
                      : form.control<QRadioButton>(u"rbEnglishOff"_s))
            ->click();
        break;
    case 4:
        form.control<QComboBox>(u"ComboBox1"_s)
            ->setCurrentIndex(
                int(m_dice() % unsigned(form.control<QComboBox>(u"ComboBox1"_s)->count())));
        break;
    default:
        form.control<QPushButton>(u"bbtnListenAgain"_s)->click();
        form.control<QPushButton>(u"btnReset"_s)->click();
        break;
    }
}

bool LongRunTest::answer(TForm1& form)
{
    QList<QPushButton*> pressable;
    QPushButton* right = nullptr;
    for (int k = 1; k <= 6; ++k) {
        auto* button = qobject_cast<QPushButton*>(form.control(u"btnWord"_s + QString::number(k)));
        if (!button->isVisible() || !button->isEnabled())
            continue;
        pressable.append(button);
        if (button->text() == form.state().AnsCheckString)
            right = button;
    }
    if (pressable.isEmpty())
        return false;
    QPushButton* pressed = right && m_dice() % 10 < 7
                               ? right
                               : pressable.at(qsizetype(m_dice() % unsigned(pressable.size())));
    pressed->click();
    return true;
}

void LongRunTest::thousandsOfAnswers()
{
    const WorkingFolder folder;
    writeCourses();

    BoxAnswerer answerer;
    int answers = 0, starts = 0, courseChanges = 0, optionChanges = 0;
    qint64 startKb = -1;
    qsizetype captured = 0;
    QStringList residentAtStarts; // MB, once each start has its course

    while (answers < kAnswers) {
        ++starts;
        Made made;
        RunningProgram program(standInPlatform(made, {.seed = unsigned(starts)}));
        TForm1* const form = program.form();
        program.show(choose(starts % m_courseCount));
        QVERIFY(!program.dialog()->isVisible());
        QVERIFY(!program.life().terminating());
        if (startKb < 0)
            startKb = residentKb("VmRSS:");
        residentAtStarts.append(QString::number(residentKb("VmRSS:") / 1024));

        // A few hundred answers per start, options and courses changed on the way.
        const int untilRestart = answers + 200 + int(m_dice() % 400);
        while (answers < qMin(untilRestart, kAnswers)) {
            const unsigned roll = m_dice() % 100;
            if (roll < 2) {
                program.changeCourse(choose(int(m_dice() % unsigned(m_courseCount))));
                ++courseChanges;
            } else if (roll < 6) {
                changeOption(*form);
                ++optionChanges;
            } else if (form->control<QPushButton>(u"btnNext"_s)->isEnabled() && roll % 4 != 0) {
                form->control<QPushButton>(u"btnNext"_s)->click();
            } else if (answer(*form)) {
                ++answers;
            } else if (form->control<QPushButton>(u"btnNext"_s)->isEnabled()) {
                form->control<QPushButton>(u"btnNext"_s)->click();
            } else {
                // The closing message was shown, or every button is pressed.
                form->control<QPushButton>(u"btnReset"_s)->click();
            }
        }
        captured += qsizetype(made.sink->captures().size());
        program.close();
    }

    QApplication::processEvents();
    const qint64 endKb = residentKb("VmRSS:");

    qInfo("answers %d, program starts %d, course changes %d, option changes %d, "
          "message boxes %d, fault boxes %lld, clips captured %lld",
          answers, starts, courseChanges, optionChanges, int(answerer.boxes.size()),
          qlonglong(answerer.faults().size()), qlonglong(captured));
    qInfo("RSS at start %lld kB, at end %lld kB, peak %lld kB", startKb, endKb,
          residentKb("VmHWM:"));
    qInfo("RSS at each start (MB): %s", qPrintable(residentAtStarts.join(u' ')));
    // The short meaning list was chosen on the way: its fault was shown, nothing more.
    const QStringList faults = answerer.faults();
    QVERIFY(!faults.isEmpty());
    for (const QString& fault : faults)
        QCOMPARE(fault, u"リストのインデックスが範囲を超えています (2)"_s);
}

QTEST_MAIN(LongRunTest)
#include "tst_longrun.moc"
