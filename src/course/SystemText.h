#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace vocarin {

// What reading course text takes from the system, one source file a platform.

// Strict UTF-8: nullopt when any sequence is invalid. A mark at the start of
// the input is text.
std::optional<QString> decodeStrictUtf8(QByteArrayView input);

// A file descriptor for reading the file's bytes as they are, opened without
// blocking on a pipe; -1 with errno set when the file cannot be opened.
int openForReading(const QString& path);

} // namespace vocarin
