#include "windows/Displays.h"

#include "core/Fault.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QWindow>

#include <new>

using namespace Qt::StringLiterals;

namespace vocarin {

namespace {

// Keys typed for a window before a box comes up over it (while the words
// before the box are spoken, when input waits) would reach the window only
// once the box blocks it, and be lost. They are taken out of the queue before
// the box shows and handed back, in order, when the window is active again.
class HeldKeys : public QObject
{
public:
    // The keys queued for the window now; null when there are none.
    static HeldKeys* takeFrom(QWidget* window)
    {
        if (!window || !window->windowHandle())
            return nullptr;
        auto* held = new HeldKeys(window);
        QApplication::instance()->installEventFilter(held);
        QCoreApplication::processEvents();
        QApplication::instance()->removeEventFilter(held);
        if (held->m_keys.isEmpty()) {
            delete held;
            return nullptr;
        }
        return held;
    }

    void handBackWhenActive()
    {
        if (m_window->isActiveWindow())
            handBack();
        else
            m_window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        const auto type = event->type();
        if (receiver == m_window) {
            if (type == QEvent::WindowActivate)
                handBack();
            return false;
        }
        if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress &&
            type != QEvent::KeyRelease)
            return false;
        auto* widget = qobject_cast<QWidget*>(receiver);
        auto* window = qobject_cast<QWindow*>(receiver);
        if (!(widget && widget->window() == m_window) &&
            !(window && window == m_window->windowHandle()))
            return false;
        // Neither the window's own keys nor its controls act on them now.
        event->accept();
        if (window && type != QEvent::ShortcutOverride) {
            const auto* key = static_cast<QKeyEvent*>(event);
            m_keys.append({type, Qt::Key(key->key()), key->modifiers(), key->text(),
                           key->isAutoRepeat(), quint16(key->count())});
        }
        return true;
    }

private:
    explicit HeldKeys(QWidget* window) : QObject(window), m_window(window) {}

    // As keys of the program's own, which the window's keys are tried on.
    void handBack()
    {
        for (const Key& key : std::as_const(m_keys))
            QCoreApplication::postEvent(m_window->windowHandle(),
                                        new QKeyEvent(key.type, key.key, key.modifiers, key.text,
                                                      key.autoRepeat, key.count));
        deleteLater();
    }

    struct Key
    {
        QEvent::Type type;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QString text;
        bool autoRepeat;
        quint16 count;
    };
    QWidget* m_window;
    QList<Key> m_keys;
};

// A box belongs to the active window, or stands alone when there is none.
void showBox(QMessageBox::Icon icon, const QString& caption, const QString& text)
{
    QWidget* owner = QApplication::activeWindow();
    const QPointer<HeldKeys> held = HeldKeys::takeFrom(owner);
    QMessageBox box(icon, caption, QString(text).replace(u"\r\n"_s, u"\n"_s), QMessageBox::Ok,
                    owner);
    box.setTextFormat(Qt::PlainText);
    box.exec();
    if (held)
        held->handBackWhenActive();
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
