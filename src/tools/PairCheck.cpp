#include "tools/PairCheck.h"

#include "tools/ProblemText.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

using namespace Qt::StringLiterals;

namespace vocarin::tools {

namespace {

// The lines of a table built into the tool, without comments and blank lines.
QStringList tableLines(const QString& resource)
{
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("the table %s is not built in", qPrintable(resource));
    QStringList lines;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const QString text = line.section(u'#', 0, 0).trimmed();
        if (!text.isEmpty())
            lines.append(text);
    }
    return lines;
}

// Runs of kanji numerals as digits: "二倍" as "2倍", "十五" as "15".
QString withDigits(const QString& text)
{
    static const QString units = u"〇一二三四五六七八九"_s;
    QString out;
    qsizetype i = 0;
    while (i < text.size()) {
        qint64 total = 0;
        qint64 pending = -1; // a digit not yet multiplied
        qsizetype j = i;
        for (; j < text.size(); ++j) {
            const QChar c = text.at(j);
            if (const qsizetype unit = units.indexOf(c); unit >= 0) {
                pending = (pending < 0 ? 0 : pending * 10) + unit;
                continue;
            }
            const qint64 scale = c == u'十' ? 10 : c == u'百' ? 100 : c == u'千' ? 1000 : 0;
            if (scale == 0)
                break;
            total += (pending < 0 ? 1 : pending) * scale;
            pending = -1;
        }
        if (j == i) {
            out += text.at(i++);
            continue;
        }
        out += QString::number(total + (pending < 0 ? 0 : pending));
        i = j;
    }
    return out;
}

QString hiraganaOf(QString text)
{
    for (QChar& c : text) {
        if (c.unicode() >= u'ァ' && c.unicode() <= u'ヶ')
            c = QChar(c.unicode() - (u'ァ' - u'ぁ'));
    }
    return text;
}

QString comparedSense(QString sense)
{
    static const QRegularExpression leadingParticle(u"^~(に|を|で|が|の|へ|と|から|より|まで)?"_s);
    static const QRegularExpression ending(u"(する|である|だ|な)$"_s);
    // "～に見える" is "見える", but "～よりも" is not "も".
    if (const QString rest = QString(sense).remove(leadingParticle).remove(u'~').trimmed();
        rest.size() > 1 || (rest.size() == 1 && rest.at(0).script() != QChar::Script_Hiragana))
        sense = rest;
    sense = hiraganaOf(withDigits(sense.remove(u'~').trimmed()));
    if (const QString stem = QString(sense).remove(ending); !stem.isEmpty())
        sense = stem;
    return sense;
}

// Each compared sense of the near-synonym table with the number of its group.
const QHash<QString, qsizetype>& nearSynonymGroups()
{
    static const QHash<QString, qsizetype> groups = [] {
        QHash<QString, qsizetype> found;
        const QStringList lines = tableLines(u":/tools/near-synonyms.tsv"_s);
        for (qsizetype group = 0; group < lines.size(); ++group) {
            for (const QString& sense : lines.at(group).split(u'\t', Qt::SkipEmptyParts))
                for (const QString& compared : comparedSenses(sense))
                    found.insert(compared, group);
        }
        return found;
    }();
    return groups;
}

// Each word of the sound-alike table, in lower case, with the words it is heard as.
const QHash<QString, QSet<QString>>& soundAlikeWords()
{
    static const QHash<QString, QSet<QString>> alike = [] {
        QHash<QString, QSet<QString>> found;
        for (const QString& line : tableLines(u":/tools/sound-alike.txt"_s)) {
            const QStringList group = line.toLower().split(u' ', Qt::SkipEmptyParts);
            for (const QString& word : group) {
                for (const QString& other : group) {
                    if (other != word)
                        found[word].insert(other);
                }
            }
        }
        return found;
    }();
    return alike;
}

// A sense as one key: a near-synonym's group, or the sense itself.
QString senseKey(const QString& sense)
{
    const auto group = nearSynonymGroups().constFind(sense);
    return group == nearSynonymGroups().cend() ? sense : u"#"_s + QString::number(*group);
}

QSet<QString> senseKeys(const QString& meaning)
{
    QSet<QString> keys;
    for (const QString& sense : comparedSenses(meaning))
        keys.insert(senseKey(sense));
    return keys;
}

} // namespace

QStringList comparedSenses(const QString& meaning)
{
    static const QRegularExpression brackets(u"\\([^)]*\\)"_s);
    static const QRegularExpression separators(u"[、,;/]"_s);
    QStringList senses;
    // Full-width brackets, tildes and digits become the ASCII ones.
    const QString folded =
        meaning.normalized(QString::NormalizationForm_KC).replace(u'〜', u'~').remove(brackets);
    for (const QString& part : folded.split(separators, Qt::SkipEmptyParts)) {
        const QString sense = comparedSense(part);
        if (!sense.isEmpty())
            senses.append(sense);
    }
    return senses;
}

QList<ConfusablePair> findConfusablePairs(const QStringList& words, const QStringList& meanings)
{
    const qsizetype count = qMin(words.size(), meanings.size());
    QList<QSet<QString>> keys;
    for (qsizetype i = 0; i < count; ++i)
        keys.append(senseKeys(meanings.at(i)));
    const QHash<QString, QSet<QString>>& alike = soundAlikeWords();

    QList<ConfusablePair> pairs;
    for (qsizetype second = 1; second < count; ++second) {
        const QSet<QString> heardAs = alike.value(words.at(second).toLower());
        for (qsizetype first = 0; first < second; ++first) {
            if (words.at(first) == words.at(second))
                continue;
            if (keys.at(first).intersects(keys.at(second)))
                pairs.append({first, second, PairKind::Meaning});
            else if (heardAs.contains(words.at(first).toLower()))
                pairs.append({first, second, PairKind::Sound});
        }
    }
    return pairs;
}

bool isListeningContrastCourse(const QString& title)
{
    return title.contains(u"聞き分け"_s);
}

QList<CourseProblem> checkConfusablePairs(const QString& title, const QString& wordFile,
                                          const QStringList& words, const QString& meaningFile,
                                          const QStringList& meanings)
{
    QList<CourseProblem> problems;
    for (const ConfusablePair& pair : findConfusablePairs(words, meanings)) {
        const QString& word = words.at(pair.second);
        const QString& other = words.at(pair.first);
        if (pair.kind == PairKind::Meaning) {
            if (meanings.at(pair.first) == meanings.at(pair.second))
                continue;
            problems.append({Severity::Warning, u"confusable-meaning"_s, meaningFile,
                             pair.second + 1,
                             u"単語%1の意味%2は、%3 行目の単語%4の意味%5とほとんど同じです。"
                             u"答えのボタンに両方が出ると、正解が2つに見えます。"
                             u"意味を書き分けるか、どちらかを別のコースに移してください。"_s
                                 .arg(quoted(word), quoted(meanings.at(pair.second)))
                                 .arg(pair.first + 1)
                                 .arg(quoted(other), quoted(meanings.at(pair.first)))});
        } else if (!isListeningContrastCourse(title)) {
            problems.append(
                {Severity::Warning, u"confusable-sound"_s, wordFile, pair.second + 1,
                 u"単語%1は、%2 行目の単語%3と日本語の耳には同じように聞こえます。"
                 u"どちらかを別のコースに移してください。聞き分けの練習のためのコースなら、"
                 u"コース名に「聞き分け」と入れると、この注意は出ません。"_s.arg(quoted(word))
                     .arg(pair.first + 1)
                     .arg(quoted(other))});
        }
    }
    return problems;
}

} // namespace vocarin::tools
