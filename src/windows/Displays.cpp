#include "windows/Displays.h"

#include "course/Fault.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>

#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

using namespace Qt::StringLiterals;

namespace vocarin {

namespace {

// A box belongs to the active window, or stands alone when there is none.
void showBox(QMessageBox::Icon icon, const QString& caption, const QString& text)
{
    QMessageBox box(icon, caption, QString(text).replace(u"\r\n"_s, u"\n"_s), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QString kindOf(const std::exception& fault)
{
    const char* mangled = typeid(fault).name();
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> demangled(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
    return QString::fromUtf8(status == 0 && demangled ? demangled.get() : mangled);
}

} // namespace

QString applicationTitle()
{
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return name.left(1) + name.mid(1).toLower();
}

QString faultText(const QString& message)
{
    if (!message.isEmpty() && message.back() > u'.')
        return message + u'.';
    return message;
}

void showMessage(const QString& text)
{
    showBox(QMessageBox::NoIcon, applicationTitle(), text);
}

void showFault(const QString& message)
{
    showBox(QMessageBox::Critical, u"エラー"_s, faultText(message));
}

QString messageOf(const std::exception& fault)
{
    if (const auto* own = dynamic_cast<const Fault*>(&fault))
        return own->message();
    return QString::fromUtf8(fault.what());
}

void showFatalReport(const std::exception& fault, const QString& where)
{
    showBox(QMessageBox::Critical, u"アプリケーションエラー"_s,
            u"例外 "_s + kindOf(fault) + u" が "_s + where + u" で発生しました。\n\n"_s +
                faultText(messageOf(fault)));
}

} // namespace vocarin
