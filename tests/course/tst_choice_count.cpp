#include "Faults.h"

#include "core/Fault.h"
#include "course/ChoiceCount.h"

#include <QTest>

#include <limits>

using namespace vocarin;
using namespace Qt::StringLiterals;
using vocarin::testkit::faultOf;

class TestChoiceCount : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reads_data();
    void reads();
    void rejects_data();
    void rejects();
};

void TestChoiceCount::reads_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<qint32>("value");

    constexpr qint32 minimum = std::numeric_limits<qint32>::min();

    QTest::newRow("plain") << u"4"_s << 4;
    QTest::newRow("blank before") << u" 5"_s << 5;
    QTest::newRow("blanks before a sign") << u"   +5"_s << 5;
    QTest::newRow("plus") << u"+5"_s << 5;
    QTest::newRow("minus") << u"-2"_s << -2;
    QTest::newRow("leading zero") << u"05"_s << 5;
    QTest::newRow("zeros") << u"007"_s << 7;
    QTest::newRow("zero") << u"0"_s << 0;
    QTest::newRow("many leading zeros") << u"000000000000000000003"_s << 3;
    QTest::newRow("largest") << u"2147483647"_s << 2147483647;
    QTest::newRow("smallest") << u"-2147483648"_s << minimum;

    QTest::newRow("dollar") << u"$A"_s << 10;
    QTest::newRow("x") << u"x1f"_s << 31;
    QTest::newRow("X") << u"XfF"_s << 255;
    QTest::newRow("0x") << u"0x6"_s << 6;
    QTest::newRow("0X") << u"0XA"_s << 10;
    QTest::newRow("signed hex") << u"-$10"_s << -16;
    QTest::newRow("plus hex") << u"+0x3"_s << 3;
    QTest::newRow("sign bit set") << u"$80000000"_s << minimum;
    QTest::newRow("eight F") << u"$FFFFFFFF"_s << -1;
    QTest::newRow("minus eight F") << u"-$FFFFFFFF"_s << 1;
    // Negating the smallest 32-bit number wraps to itself.
    QTest::newRow("minus sign bit") << u"-$80000000"_s << minimum;
    QTest::newRow("largest positive hex") << u"0x7FFFFFFF"_s << 2147483647;
    QTest::newRow("leading zeros are not significant") << u"$000000001"_s << 1;
    QTest::newRow("nine digits, eight significant") << u"$0FFFFFFFF"_s << -1;
    QTest::newRow("hex zero") << u"$0"_s << 0;
}

void TestChoiceCount::reads()
{
    QFETCH(QString, line);
    QFETCH(qint32, value);
    QCOMPARE(parseChoiceCount(line), value);
}

void TestChoiceCount::rejects_data()
{
    QTest::addColumn<QString>("line");

    QTest::newRow("empty") << QString();
    QTest::newRow("blanks only") << u"   "_s;
    QTest::newRow("blank after") << u"5 "_s;
    QTest::newRow("decimal point") << u"6.0"_s;
    QTest::newRow("full-width digit") << u"６"_s;
    QTest::newRow("tab before digits") << u"\t5"_s;
    QTest::newRow("CR after digits") << u"5\r"_s;
    QTest::newRow("plus alone") << u"+"_s;
    QTest::newRow("minus alone") << u"-"_s;
    QTest::newRow("blank after sign") << u"+ 5"_s;
    QTest::newRow("two signs") << u"+-5"_s;
    QTest::newRow("dollar alone") << u"$"_s;
    QTest::newRow("x alone") << u"x"_s;
    QTest::newRow("0x alone") << u"0x"_s;
    QTest::newRow("zero then x later") << u"00x5"_s;
    QTest::newRow("hex letter in decimal") << u"1A"_s;
    QTest::newRow("hex suffix") << u"5h"_s;
    QTest::newRow("not a hex digit") << u"$G"_s;
    QTest::newRow("word") << u"WAV"_s;
    QTest::newRow("marker with blank") << u"wav "_s;
    QTest::newRow("above the range") << u"2147483648"_s;
    QTest::newRow("below the range") << u"-2147483649"_s;
    QTest::newRow("far above the range") << u"99999999999999999999"_s;
    QTest::newRow("nine significant hex digits") << u"$100000000"_s;
    QTest::newRow("blank inside hex") << u"$ A"_s;
    QTest::newRow("sign after prefix") << u"$-1"_s;
}

void TestChoiceCount::rejects()
{
    QFETCH(QString, line);
    QCOMPARE(faultOf<NumberFormatFault>([&] { parseChoiceCount(line); }),
             u"'"_s + line + u"' は整数ではありません"_s);
}

QTEST_GUILESS_MAIN(TestChoiceCount)
#include "tst_choice_count.moc"
