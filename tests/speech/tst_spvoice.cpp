#include "core/Fault.h"
#include "speech/SpVoice.h"
#include "speech/VoiceList.h"
#include "testing/CaptureSink.h"
#include "testing/ToneEngine.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

using namespace vocarin;
using namespace Qt::StringLiterals;

namespace {

using Engines = std::vector<std::unique_ptr<SpeechEngine>>;

QStringList descriptions(const VoiceCollection& voices)
{
    QStringList out;
    for (qint32 i = 0; i < voices.Count(); ++i)
        out << voices.Item(i).GetDescription();
    return out;
}

// Two engines: voices A, B, then C.
struct TwoEngines
{
    ToneEngine* first;
    ToneEngine* second;
    Engines engines;

    TwoEngines()
    {
        auto a =
            std::make_unique<ToneEngine>(QStringList{QStringLiteral("A"), QStringLiteral("B")});
        auto c = std::make_unique<ToneEngine>(QStringList{QStringLiteral("C")});
        first = a.get();
        second = c.get();
        engines.push_back(std::move(a));
        engines.push_back(std::move(c));
    }
};

// One tone voice over an auto-advancing capture sink, keeping what it was asked to say.
struct OneToneVoice
{
    CaptureSink sink;
    const ToneEngine* tone = nullptr;
    std::unique_ptr<SpVoice> voice;

    OneToneVoice()
    {
        auto engine = std::make_unique<ToneEngine>();
        tone = engine.get();
        Engines engines;
        engines.push_back(std::move(engine));
        voice = std::make_unique<SpVoice>(sink, std::move(engines));
    }
};

} // namespace

class TestSpVoice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void listsEveryEngineInOrder();
    void itemOutsideCollectionFails_data();
    void itemOutsideCollectionFails();
    void findsPreferredVoice_data();
    void findsPreferredVoice();
    void speaksWithTheAssignedVoice_data();
    void speaksWithTheAssignedVoice();
    void foreignTokenIsRefused();
    void passesTextUnchanged_data();
    void passesTextUnchanged();
    void cutsOverlongTextForTheEngine_data();
    void cutsOverlongTextForTheEngine();
    void noVoicesStillStarts();
    void rateLastsUntilChanged();
    void noEngineStartingFails();
    void engineThatCannotStartIsLeftOut_data();
    void engineThatCannotStartIsLeftOut();
    void failedSpeakRaisesFault();
    void returnsOnlyAfterPlaybackEnded();
    void watchdogEndsStalledPlayback();
};

void TestSpVoice::listsEveryEngineInOrder()
{
    CaptureSink sink;
    TwoEngines two;
    SpVoice voice(sink, std::move(two.engines));
    const QStringList expected{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
    QCOMPARE(descriptions(voice.GetVoices()), expected);
    QCOMPARE(descriptions(voice.GetVoices(QString(), QString())), expected);
}

void TestSpVoice::itemOutsideCollectionFails_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("no selection") << -1;
    QTest::newRow("one past the end") << 3;
}

void TestSpVoice::itemOutsideCollectionFails()
{
    QFETCH(int, index);
    CaptureSink sink;
    TwoEngines two;
    SpVoice voice(sink, std::move(two.engines));
    QVERIFY_THROWS_EXCEPTION(ListIndexFault, voice.GetVoices().Item(index));
}

void TestSpVoice::findsPreferredVoice_data()
{
    QTest::addColumn<QStringList>("voices");
    QTest::addColumn<int>("expected");
    const QString zira = preferredVoiceDescription();
    const QString other = QStringLiteral("Flite slt - English (United States)");
    QTest::newRow("absent") << QStringList{other, other} << 999;
    QTest::newRow("no voices") << QStringList{} << 999;
    QTest::newRow("third") << QStringList{other, other, zira, other} << 2;
    QTest::newRow("first") << QStringList{zira} << 0;
    QTest::newRow("case differs") << QStringList{other, zira.toLower()} << 999;
    QTest::newRow("trailing space") << QStringList{zira + QLatin1Char(' ')} << 999;
    QTest::newRow("two matches: the later") << QStringList{zira, other, zira, other} << 2;
    // Windows prefers its own voice to ours; Linux has only ours.
    const QStringList preferred = preferredVoiceDescriptions();
    if (preferred.size() > 1) {
        QTest::newRow("the better one, listed later")
            << QStringList{preferred[1], preferred[0]} << 1;
        QTest::newRow("only the second best") << QStringList{other, preferred[1], other} << 1;
    }
}

void TestSpVoice::findsPreferredVoice()
{
    QFETCH(QStringList, voices);
    QFETCH(int, expected);
    CaptureSink sink;
    Engines engines;
    engines.push_back(std::make_unique<ToneEngine>(voices));
    SpVoice voice(sink, std::move(engines));
    const VoiceList list = listVoices(voice.GetVoices());
    QCOMPARE(list.descriptions, voices);
    QCOMPARE(list.KeyVoice, expected);
}

void TestSpVoice::speaksWithTheAssignedVoice_data()
{
    QTest::addColumn<int>("assigned"); // -1: none
    QTest::addColumn<bool>("secondEngine");
    QTest::addColumn<int>("engineVoice");
    QTest::newRow("default is the first") << -1 << false << 0;
    QTest::newRow("second of the first engine") << 1 << false << 1;
    QTest::newRow("first of the second engine") << 2 << true << 0;
}

void TestSpVoice::speaksWithTheAssignedVoice()
{
    QFETCH(int, assigned);
    QFETCH(bool, secondEngine);
    QFETCH(int, engineVoice);
    CaptureSink sink;
    TwoEngines two;
    SpVoice voice(sink, std::move(two.engines));
    if (assigned >= 0)
        voice.setVoice(voice.GetVoices(QString(), QString()).Item(assigned));
    voice.Speak(QStringLiteral("apple"), 0);
    voice.speak(QStringLiteral("pear"));

    const ToneEngine* used = secondEngine ? two.second : two.first;
    const ToneEngine* unused = secondEngine ? two.first : two.second;
    QCOMPARE(used->requests().size(), 2u);
    QCOMPARE(used->requests()[0], std::make_pair(engineVoice, QStringLiteral("apple")));
    QCOMPARE(used->requests()[1], std::make_pair(engineVoice, QStringLiteral("pear")));
    QVERIFY(unused->requests().empty());
    QCOMPARE(sink.captures(CaptureSink::Kind::Speech).size(), 2u);
}

void TestSpVoice::foreignTokenIsRefused()
{
    CaptureSink sink;
    TwoEngines mine, theirs;
    SpVoice voice(sink, std::move(mine.engines));
    SpVoice other(sink, std::move(theirs.engines));
    QVERIFY_THROWS_EXCEPTION(Fault, voice.setVoice(other.GetVoices().Item(0)));
}

void TestSpVoice::passesTextUnchanged_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("clips");
    QTest::newRow("empty word: nothing to hear") << QString() << 0;
    QTest::newRow("spaces kept") << QStringLiteral(" Well Done! ") << 1;
    QTest::newRow("markup-like") << QStringLiteral("<silence msec=\"500\"/>") << 1;
}

void TestSpVoice::passesTextUnchanged()
{
    QFETCH(QString, text);
    QFETCH(int, clips);
    OneToneVoice one;
    one.voice->Speak(text, 0);
    QCOMPARE(one.tone->requests().at(0).second, text);
    QCOMPARE(int(one.sink.captures().size()), clips);
}

void TestSpVoice::cutsOverlongTextForTheEngine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    const QString longest(1000, QLatin1Char('a'));
    QTest::newRow("at the limit: whole") << longest << longest;
    QTest::newRow("a 10 MB line: its start")
        << QString(10 * 1024 * 1024, QLatin1Char('b')) << QString(1000, QLatin1Char('b'));
    const QString pair = QStringLiteral("\U0001F600");
    QTest::newRow("pair across the limit: left out")
        << QString(999, QLatin1Char('c')) + pair << QString(999, QLatin1Char('c'));
}

void TestSpVoice::cutsOverlongTextForTheEngine()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    OneToneVoice one;
    one.voice->Speak(text, 0);
    QCOMPARE(one.tone->requests().at(0).second, expected);
}

void TestSpVoice::noVoicesStillStarts()
{
    CaptureSink sink;
    Engines engines;
    engines.push_back(std::make_unique<ToneEngine>(QStringList{}));
    SpVoice voice(sink, std::move(engines));
    QCOMPARE(voice.GetVoices().Count(), 0);
    QCOMPARE(findPreferredVoice(voice.GetVoices()), 999);
}

// The tone engine's tone lasts 60 ms at the voice's own rate.
void TestSpVoice::rateLastsUntilChanged()
{
    OneToneVoice one;
    const auto lastMs = [&one] {
        return one.sink.captures(CaptureSink::Kind::Speech).back().clip->durationMs();
    };
    QCOMPARE(one.voice->rate(), 1.0);
    one.voice->Speak(u"apple"_s, 0);
    const qint64 own = lastMs();
    one.voice->setRate(0.5);
    one.voice->Speak(u"apple"_s, 0);
    one.voice->Speak(u"apple"_s, 0);
    const auto speech = one.sink.captures(CaptureSink::Kind::Speech);
    QVERIFY2(speech[1].clip->durationMs() > own * 3 / 2, qPrintable(QString::number(own)));
    QCOMPARE(speech[2].clip->durationMs(), speech[1].clip->durationMs());
    one.voice->setRate(1.0);
    one.voice->Speak(u"apple"_s, 0);
    QCOMPARE(lastMs(), own);
}

void TestSpVoice::noEngineStartingFails()
{
    CaptureSink sink;
    Engines engines;
    engines.push_back(std::make_unique<BrokenEngine>());
    engines.push_back(std::make_unique<BrokenEngine>());
    QVERIFY_THROWS_EXCEPTION(Fault, SpVoice(sink, std::move(engines)));
}

void TestSpVoice::engineThatCannotStartIsLeftOut_data()
{
    QTest::addColumn<bool>("brokenFirst");
    QTest::newRow("broken before a working engine") << true;
    QTest::newRow("broken after a working engine") << false;
}

// As when eSpeak NG's data is unusable while flite works.
void TestSpVoice::engineThatCannotStartIsLeftOut()
{
    QFETCH(bool, brokenFirst);
    CaptureSink sink;
    Engines engines;
    if (brokenFirst)
        engines.push_back(std::make_unique<BrokenEngine>());
    engines.push_back(std::make_unique<ToneEngine>(QStringList{u"A"_s, u"B"_s}));
    if (!brokenFirst)
        engines.push_back(std::make_unique<BrokenEngine>());
    SpVoice voice(sink, std::move(engines));
    QCOMPARE(descriptions(voice.GetVoices()), (QStringList{u"A"_s, u"B"_s}));
    voice.setVoice(voice.GetVoices().Item(1));
    voice.Speak(u"apple"_s, 0);
    QCOMPARE(sink.captures(CaptureSink::Kind::Speech).size(), 1u);
}

void TestSpVoice::failedSpeakRaisesFault()
{
    CaptureSink sink;
    auto engine = std::make_unique<ToneEngine>();
    engine->setFailing(true);
    Engines engines;
    engines.push_back(std::move(engine));
    SpVoice voice(sink, std::move(engines));
    QVERIFY_THROWS_EXCEPTION(Fault, voice.Speak(QStringLiteral("No!"), 0));
    QVERIFY(sink.captures().empty());
}

// Speech plays on the sink's clock, moved on by a timer that only an event
// loop running inside Speak can fire.
void TestSpVoice::returnsOnlyAfterPlaybackEnded()
{
    CaptureSink sink(false);
    Engines engines;
    engines.push_back(std::make_unique<ToneEngine>());
    SpVoice voice(sink, std::move(engines));

    QStringList events;
    QTimer::singleShot(0, this, [&] {
        events << (sink.isSpeechPlaying() ? QStringLiteral("playing") : QStringLiteral("idle"));
        sink.advance(30000);
        QTimer::singleShot(5, this, [&] {
            events << (sink.isSpeechPlaying() ? QStringLiteral("playing") : QStringLiteral("idle"));
            sink.advance(50000);
        });
    });
    voice.Speak(QStringLiteral("Excellent!"), 0);
    events << QStringLiteral("returned");

    QCOMPARE(events, (QStringList{QStringLiteral("playing"), QStringLiteral("playing"),
                                  QStringLiteral("returned")}));
    QVERIFY(!sink.isSpeechPlaying());
}

void TestSpVoice::watchdogEndsStalledPlayback()
{
    CaptureSink sink(false);
    Engines engines;
    engines.push_back(std::make_unique<ToneEngine>());
    SpVoice voice(sink, std::move(engines));
    QElapsedTimer elapsed;
    elapsed.start();
    voice.Speak(QStringLiteral("apple"), 0);
    QVERIFY(sink.isSpeechPlaying());
    QVERIFY(elapsed.elapsed() >= sink.captures().at(0).clip->durationMs());
}

QTEST_GUILESS_MAIN(TestSpVoice)
#include "tst_spvoice.moc"
