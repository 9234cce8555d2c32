#include "tools/ReportFormat.h"

#include "tools/EncodingNames.h"
#include "tools/ProblemText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace vocarin::tools {

QString formatReports(const QList<CourseReport>& reports)
{
    QString out;
    qsizetype faults = 0;
    qsizetype warnings = 0;
    for (const CourseReport& report : reports) {
        out += u"■ "_s + report.folder;
        if (!report.title.isNull())
            out += u"　"_s + quoted(report.title);
        out += u'\n';
        for (const CourseFileInfo& file : report.files)
            out += u"  "_s + file.name + u": "_s + encodingLabel(file.encoding) + u'\n';
        if (report.words >= 0 || report.choicesRead) {
            out += u"  単語数: "_s + (report.words >= 0 ? QString::number(report.words) : u"?"_s) +
                   u"　選択肢の数: "_s +
                   (report.choicesRead ? QString::number(report.choices) : u"?"_s) + u'\n';
        }
        if (report.recorded >= 0)
            out += u"  録音のある単語: %1 / %2\n"_s.arg(report.recorded).arg(report.words);
        if (report.problems.isEmpty())
            out += u"  問題はありません。\n"_s;
        for (const CourseProblem& problem : report.problems) {
            const bool fault = problem.severity == Severity::Fault;
            (fault ? faults : warnings) += 1;
            out += fault ? u"  [エラー] "_s : u"  [注意] "_s;
            if (!problem.file.isEmpty())
                out += problem.file +
                       (problem.line > 0 ? u" %1行目"_s.arg(problem.line) : QString()) + u": "_s;
            out += problem.message + u'\n';
        }
        out += u'\n';
    }
    out += u"%1 コースを調べました。エラー %2 件、注意 %3 件。\n"_s.arg(reports.size())
               .arg(faults)
               .arg(warnings);
    return out;
}

QByteArray formatReportsJson(const QList<CourseReport>& reports)
{
    QJsonArray courses;
    bool ok = true;
    for (const CourseReport& report : reports) {
        QJsonArray files;
        for (const CourseFileInfo& file : report.files) {
            QJsonObject entry{{u"name"_s, file.name}, {u"encoding"_s, file.encoding}};
            if (!file.looksLike.isEmpty())
                entry.insert(u"looksLike"_s, file.looksLike);
            files.append(entry);
        }
        QJsonArray problems;
        for (const CourseProblem& problem : report.problems) {
            QJsonObject entry{
                {u"severity"_s, problem.severity == Severity::Fault ? u"error"_s : u"warning"_s},
                {u"kind"_s, problem.kind},
                {u"message"_s, problem.message},
            };
            if (!problem.file.isEmpty())
                entry.insert(u"file"_s, problem.file);
            if (problem.line > 0)
                entry.insert(u"line"_s, qint64(problem.line));
            problems.append(entry);
        }
        QJsonObject course{
            {u"folder"_s, report.folder}, {u"files"_s, files}, {u"problems"_s, problems}};
        if (!report.title.isNull())
            course.insert(u"title"_s, report.title);
        if (report.words >= 0)
            course.insert(u"words"_s, qint64(report.words));
        if (report.choicesRead)
            course.insert(u"choices"_s, report.choices);
        if (report.recorded >= 0)
            course.insert(u"recorded"_s, qint64(report.recorded));
        courses.append(course);
        ok = ok && !report.hasFault();
    }
    return QJsonDocument(QJsonObject{{u"ok"_s, ok}, {u"courses"_s, courses}}).toJson();
}

} // namespace vocarin::tools
