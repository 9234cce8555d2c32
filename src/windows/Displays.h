#pragma once

#include <QString>

#include <exception>

namespace vocarin {

// The application title: the running program file's name without folder and
// extension, its first character kept and the rest in lower case.
QString applicationTitle();

// A fault's message as the error box shows it: "." appended when the last
// character's code is above that of ".".
QString faultText(const QString& message);

// Message box: the text, one OK button, no icon; returns when dismissed.
void showMessage(const QString& text);

// Default fault display: "エラー" with the error icon.
void showFault(const QString& message);

// The message of anything thrown: a Fault's own text, or what() of others.
QString messageOf(const std::exception& fault);

// Fatal fault report, for a fault outside every event loop: "アプリケーションエラー"
// naming the kind of fault, where it arose and its message.
void showFatalReport(const std::exception& fault, const QString& where);

} // namespace vocarin
