#pragma once

#include <QString>

#include <exception>

namespace vocarin {

// A fault carries the exact message the learner sees. The program's own code
// never catches one: the window layer shows it (default fault display) or,
// at start-up, ends the program (fatal fault report).
class Fault : public std::exception
{
public:
    explicit Fault(QString message);
    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// "リストのインデックスが範囲を超えています (%d)"
class ListIndexFault : public Fault
{
public:
    explicit ListIndexFault(qsizetype index);
};

// "ファイル %s は開けません。 %s ": full path, then the system's reason.
class FileOpenFault : public Fault
{
public:
    FileOpenFault(const QString& fullPath, const QString& reason);
};

// "'%s' は整数ではありません"
class NumberFormatFault : public Fault
{
public:
    explicit NumberFormatFault(const QString& text);
};

// A file marked as UTF-8 that holds an invalid byte sequence.
class TextDecodingFault : public Fault
{
public:
    TextDecodingFault();
};

} // namespace vocarin
