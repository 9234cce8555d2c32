#pragma once

#include <QString>
#include <QStringList>

#include <utility>

namespace vocarin {

// An ordered list of text lines: keeps repeated lines, never sorted.
// Reading or writing outside the lines raises ListIndexFault.
class StringList
{
public:
    StringList() = default;
    explicit StringList(QStringList lines) : m_lines(std::move(lines)) {}

    const QString& get(qsizetype index) const;
    void put(qsizetype index, const QString& line);
    void add(const QString& line) { m_lines.append(line); }
    void clear() { m_lines.clear(); }
    qsizetype count() const { return m_lines.size(); }
    const QStringList& lines() const { return m_lines; }

    // Replaces the whole content with the lines of a course text file, or
    // throws and keeps the content as it was.
    void loadFromFile(const QString& path);

private:
    QStringList m_lines;
};

} // namespace vocarin
