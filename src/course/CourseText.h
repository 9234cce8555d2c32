#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vocarin {

// Decodes the bytes of a course text file (BOM rules, lenient fallbacks) and
// cuts the text into lines. Throws TextDecodingFault for a UTF-8 BOM followed
// by an invalid sequence.
QStringList decodeCourseText(const QByteArray& bytes);

// Cuts decoded text into lines at CR LF, LF and CR, ending at the first NUL.
QStringList splitCourseLines(QStringView text);

// The bytes of a whole file, opened as a course file is. Throws FileOpenFault
// when the file cannot be opened (the message names the full path and the
// reason, in Japanese).
QByteArray readCourseFileBytes(const QString& path);

// The decoding the rules above choose for a file's bytes.
enum class CourseEncoding { Utf8Bom, Utf16LE, Utf16BE, Utf8, Cp932 };

struct CourseTextFile
{
    QStringList lines;
    CourseEncoding encoding;
};

// Decodes a file's bytes as above: its lines and the encoding they were
// decoded from. Throws TextDecodingFault as decodeCourseText does.
CourseTextFile decodeCourseFile(const QByteArray& bytes);

// Reads a whole file and decodes it as above: its lines and the encoding they
// were decoded from. Throws FileOpenFault when the file cannot be opened (the
// message names the full path and the reason).
CourseTextFile readCourseText(const QString& path);

} // namespace vocarin
