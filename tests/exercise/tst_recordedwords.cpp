#include "CourseFiles.h"
#include "ExerciseDoubles.h"
#include "TemporaryFolder.h"

#include "core/Fault.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace vocarin;
using namespace vocarin::testkit;

namespace {

// Tells the course's words apart from everything else it is asked to say.
class WordSpeaker : public RecordingSpeaker
{
public:
    using RecordingSpeaker::RecordingSpeaker;
    void speakWord(const QString& word) override { words.append(word); }
    void setRecordings(CourseRecordings given) override
    {
        recordings = std::move(given);
        ++loads;
    }

    QStringList words;
    CourseRecordings recordings;
    int loads = 0;
};

struct WordRig
{
    testkit::TemporaryFolder courses;
    EventLog log;
    FakeBoard board{log};
    WordSpeaker speaker{log};
    RecordingCuePlayer cues{log};
    ScriptedRandom random{log};
    Exercise exercise{board, speaker, cues, random, courses.dir()};
};

// A course of one answer button whose option file carries the marker, with a
// recording of its first word.
void writeRecordedCourse(const QString& folder)
{
    testkit::writeCourse(folder, u"Fruit"_s, u"f"_s, 1, {u"apple"_s, u"grape"_s, u"peach"_s},
                         {u"りんご"_s, u"ぶどう"_s, u"もも"_s});
    testkit::writeFile(folder + u"/Option.txt"_s,
                       testkit::utf8Lines({u"Fruit"_s, u"f"_s, u"mp3"_s, u"1"_s}));
    QVERIFY(QDir().mkpath(folder + u"/sounds"_s));
    testkit::writeFile(folder + u"/sounds/apple.mp3"_s, "ID3");
}

} // namespace

class TestRecordedWords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void questionWordsGoToTheSpeakersWords();
    void failedLoadKeepsTheRecordings();
};

// The question's word, at the question and on listen again, is a word of the
// course with the course's recordings; praise is not.
void TestRecordedWords::questionWordsGoToTheSpeakersWords()
{
    WordRig rig;
    writeRecordedCourse(rig.courses.filePath(u"a"_s));
    rig.random.queue({0, 0});
    rig.exercise.InitialGame(u".\\a\\"_s);
    QCOMPARE(rig.speaker.recordings.pathOf(u"apple"_s),
             rig.courses.filePath(u"./a/sounds/apple.mp3"_s));
    QCOMPARE(rig.speaker.words, QStringList{u"apple"_s});
    rig.exercise.bbtnListenAgainClick();
    rig.exercise.btnWord1Click(1);
    QCOMPARE(rig.speaker.words, (QStringList{u"apple"_s, u"apple"_s}));
    QCOMPARE(rig.speaker.spoken, QStringList{u"Excellent!"_s});
}

// The recordings change with the word lists: a load that fails before them
// leaves the course being played with its own.
void TestRecordedWords::failedLoadKeepsTheRecordings()
{
    WordRig rig;
    writeRecordedCourse(rig.courses.filePath(u"a"_s));
    writeRecordedCourse(rig.courses.filePath(u"b"_s));
    QVERIFY(QFile::remove(rig.courses.filePath(u"b/fE.txt"_s)));
    rig.random.queue({0});
    rig.exercise.InitialGame(u".\\a\\"_s);
    QVERIFY_THROWS_EXCEPTION(FileOpenFault, rig.exercise.InitialGame(u".\\b\\"_s));
    QCOMPARE(rig.speaker.loads, 1);
    QCOMPARE(rig.speaker.recordings.pathOf(u"apple"_s),
             rig.courses.filePath(u"./a/sounds/apple.mp3"_s));
}

QTEST_GUILESS_MAIN(TestRecordedWords)
#include "tst_recordedwords.moc"
