#include "windows/Displays.h"

#include "core/Fault.h"
#include "windows/HeldInput.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>

#include <new>

using namespace Qt::StringLiterals;

namespace vocarin {

namespace {

// A box belongs to the active window, or stands alone when there is none; the
// input for the window waits until the box has closed.
void showBox(QMessageBox::Icon icon, const QString& caption, const QString& text)
{
    QWidget* owner = QApplication::activeWindow();
    const HoldForBox hold(owner);
    QMessageBox box(icon, caption, QString(text).replace(u"\r\n"_s, u"\n"_s), QMessageBox::Ok,
                    owner);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

// The kind of fault in the learner's words, never a type name of the code.
QString kindOf(const std::exception& fault)
{
    if (dynamic_cast<const ListIndexFault*>(&fault))
        return u"リストの範囲外"_s;
    if (dynamic_cast<const FileOpenFault*>(&fault))
        return u"ファイルを開けない"_s;
    if (dynamic_cast<const NumberFormatFault*>(&fault))
        return u"数値の誤り"_s;
    if (dynamic_cast<const TextDecodingFault*>(&fault))
        return u"文字コードの誤り"_s;
    if (dynamic_cast<const std::bad_alloc*>(&fault))
        return u"メモリ不足"_s;
    if (dynamic_cast<const Fault*>(&fault))
        return u"処理の失敗"_s;
    return u"予期しない障害"_s;
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
            u"「"_s + kindOf(fault) + u"」のエラーが "_s + where + u" で発生しました。\n\n"_s +
                faultText(messageOf(fault)));
}

} // namespace vocarin
