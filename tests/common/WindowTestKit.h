#pragma once

// Drivers shared by the window tests: clicks at design points, a script of
// steps for a whole program run, an answerer for message boxes; with the
// kit's stand-in platform and course files.

#include "CourseFiles.h"
#include "StandIns.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGraphicsView>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>

namespace vocarin::testkit {

template <typename T> T* topLevel(const QString& name)
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == name)
            return qobject_cast<T*>(widget);
    }
    return nullptr;
}

inline QStringList spokenTexts(const ToneEngine& tones)
{
    QStringList texts;
    for (const auto& request : tones.requests())
        texts.append(request.second);
    return texts;
}

// A point given in design units, on the view's viewport as the learner sees it.
inline QPoint designPoint(QGraphicsView* view, QSizeF design, QPointF point)
{
    const QSize size = view->viewport()->size();
    return QPoint(qRound(point.x() * size.width() / design.width()),
                  qRound(point.y() * size.height() / design.height()));
}

inline void clickAt(QGraphicsView* view, QSizeF design, QPointF point)
{
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, designPoint(view, design, point));
}

// Every message box that appears: its caption, text and icon, then OK.
class BoxAnswerer : public QObject
{
public:
    struct Box
    {
        QString caption;
        QString text;
        QMessageBox::Icon icon;
    };
    QList<Box> boxes;

    BoxAnswerer()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || box == m_answered)
                return;
            m_answered = box;
            boxes.append({box->windowTitle(), box->text(), box->icon()});
            QTimer::singleShot(0, box, [box] { box->button(QMessageBox::Ok)->click(); });
        });
        m_timer.start(5);
    }

    // The texts of the fault boxes among them.
    QStringList faults() const
    {
        QStringList texts;
        for (const Box& box : boxes) {
            if (box.caption == QStringLiteral("エラー"))
                texts.append(box.text);
        }
        return texts;
    }

private:
    QTimer m_timer;
    QPointer<QMessageBox> m_answered;
};

// Steps run one after the other, each once its condition holds.
class Script : public QObject
{
public:
    struct Step
    {
        std::function<bool()> ready;
        std::function<void()> action;
    };

    void then(std::function<bool()> ready, std::function<void()> action)
    {
        m_steps.append({std::move(ready), std::move(action)});
    }
    bool done() const { return m_steps.isEmpty(); }

    Script()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (m_steps.isEmpty() || !m_steps.first().ready())
                return;
            const Step step = m_steps.takeFirst();
            step.action();
        });
        m_timer.start(5);
        // A failed step must not leave the program running: close it.
        QTimer::singleShot(20000, this, [] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (window->objectName() == QLatin1StringView("Form1"))
                    window->close();
            }
        });
    }

private:
    QTimer m_timer;
    QList<Step> m_steps;
};

} // namespace vocarin::testkit
