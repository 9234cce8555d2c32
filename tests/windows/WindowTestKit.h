#pragma once

// Stand-ins and drivers shared by the window tests: a platform of capture
// sink, tone voices and a fixed-seed generator; clicks at design points; a
// script of steps for a whole program run; an answerer for message boxes.

#include "exercise/RandomSource.h"
#include "speech/CaptureSink.h"
#include "speech/ToneEngine.h"
#include "windows/Platform.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QApplication>
#include <QGraphicsView>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>
#include <random>

namespace vocarin::testkit {

class SeededRandom : public RandomSource
{
public:
    explicit SeededRandom(unsigned seed = 20240611) : m_engine(seed) {}
    qint32 Random(qint32 n) override
    {
        return std::uniform_int_distribution<qint32>(0, n - 1)(m_engine);
    }

private:
    std::mt19937 m_engine;
};

// The sink and the voices outlive the program run, for the test to look at
// afterwards; the program gets forwarders to them.
struct Made
{
    std::unique_ptr<CaptureSink> sink;
    std::unique_ptr<ToneEngine> tones;
};

class SinkForwarder : public AudioOutput
{
public:
    explicit SinkForwarder(CaptureSink& sink) : m_sink(sink)
    {
        connect(&sink, &AudioOutput::speechFinished, this, &AudioOutput::speechFinished);
    }
    void prepareCue(const std::shared_ptr<const AudioClip>& clip) override
    {
        m_sink.prepareCue(clip);
    }
    void playCue(std::shared_ptr<const AudioClip> clip) override
    {
        m_sink.playCue(std::move(clip));
    }
    void playSpeech(std::shared_ptr<const AudioClip> clip) override
    {
        m_sink.playSpeech(std::move(clip));
    }
    bool isSpeechPlaying() const override { return m_sink.isSpeechPlaying(); }
    void stopAll() override { m_sink.stopAll(); }

private:
    CaptureSink& m_sink;
};

class EngineForwarder : public SpeechEngine
{
public:
    explicit EngineForwarder(SpeechEngine& engine) : m_engine(engine) {}
    void start() override { m_engine.start(); }
    QStringList voices() const override { return m_engine.voices(); }
    AudioClip synthesize(int voice, const QString& text, double rate) override
    {
        return m_engine.synthesize(voice, text, rate);
    }

private:
    SpeechEngine& m_engine;
};

enum class Engines { Tones, NoVoices, Broken };

inline Platform testPlatform(Made& made, QStringList voices, Engines engines = Engines::Tones,
                             bool autoAdvance = true)
{
    return Platform{
        .openAudioOutput =
            [&made, autoAdvance] {
                made.sink = std::make_unique<CaptureSink>(autoAdvance);
                return std::unique_ptr<AudioOutput>(std::make_unique<SinkForwarder>(*made.sink));
            },
        .speechEngines =
            [&made, voices, engines] {
                std::vector<std::unique_ptr<SpeechEngine>> list;
                if (engines == Engines::Broken) {
                    list.push_back(std::make_unique<BrokenEngine>());
                } else {
                    made.tones = std::make_unique<ToneEngine>(
                        engines == Engines::NoVoices ? QStringList{} : voices, 5);
                    list.push_back(std::make_unique<EngineForwarder>(*made.tones));
                }
                return list;
            },
        .makeRandom = [] { return std::make_unique<SeededRandom>(); },
    };
}

inline void writeFile(const QString& path, const QString& text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
}

// A course folder: option file, word list and meaning list.
inline void writeCourse(const QString& folder, const QString& title, const QString& prefix,
                        int choices, const QStringList& words, const QStringList& meanings)
{
    QDir().mkpath(folder);
    writeFile(folder + u"/Option.txt",
              title + u"\r\n" + prefix + u"\r\n" + QString::number(choices) + u"\r\n");
    writeFile(folder + u'/' + prefix + u"E.txt", words.join(QStringLiteral("\r\n")) + u"\r\n");
    writeFile(folder + u'/' + prefix + u"J.txt", meanings.join(QStringLiteral("\r\n")) + u"\r\n");
}

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
