#include "app/Program.h"

#include "exercise/Exercise.h"
#include "exercise/RandomSource.h"
#include "speech/AudioOutput.h"
#include "speech/CourseSpeaker.h"
#include "speech/CueSounds.h"
#include "speech/SpVoice.h"
#include "speech/SpeechEngine.h"
#include "widgets/Look.h"
#include "windows/Displays.h"
#include "windows/Fmain.h"
#include "windows/Fselect.h"
#include "windows/Placement.h"

#include <QApplication>

#include <exception>

using namespace Qt::StringLiterals;

namespace vocarin {

Program::Program(Platform platform) : m_platform(std::move(platform))
{
    // The output is a QObject: made here, before the thread below, it also
    // makes this thread Qt's main thread when no QApplication exists yet.
    m_audio = m_platform.openAudioOutput();
    m_speech = std::async(m_platform.speechOnOwnThread ? std::launch::async : std::launch::deferred,
                          makeSpeech, std::ref(*m_audio), m_platform.speechEngines());
}

Program::~Program()
{
    destroy();
}

Program::Speech Program::makeSpeech(AudioOutput& audio,
                                    std::vector<std::unique_ptr<SpeechEngine>> engines)
{
    // The voice first: a voice that cannot be made is the fault reported, and
    // no cue is decoded.
    Speech made;
    made.voice = std::make_unique<SpVoice>(audio, std::move(engines));
    made.pu = std::make_unique<CueStream>(u"SysPu"_s);
    made.bubuu = std::make_unique<CueStream>(u"Sysbubuu"_s);
    made.pingPong = std::make_unique<CueStream>(u"SysPingPong"_s);
    return made;
}

void Program::create()
{
    Speech speech = m_speech.get(); // rethrows the fault that stopped the making
    voice = std::move(speech.voice);
    RSPu = std::move(speech.pu);
    RSBubuu = std::move(speech.bubuu);
    RSPingPong = std::move(speech.pingPong);
    m_cuePlayer = std::make_unique<CueStreamPlayer>(*m_audio, *RSPu, *RSPingPong, *RSBubuu);
    m_random = m_platform.makeRandom();
    m_speaker = std::make_unique<CourseSpeaker>(*voice, *m_audio,
                                                [](const QString& text) { showMessage(text); });

    m_form = std::make_unique<TForm1>(m_life);
    m_exercise = std::make_unique<Exercise>(m_form->board(), *m_speaker, *m_cuePlayer, *m_random,
                                            QDir::current());
    m_form->FormCreate(
        {.voice = *voice, .exercise = *m_exercise, .releaseOnClose = [this] { releaseOnClose(); }});
    m_dialog = std::make_unique<TForm2>(*m_form, m_life);
    m_form->setForm2(m_dialog.get());
}

void Program::show()
{
    // Opening the sound device beside the windows took the processor from
    // them; nothing sounds before a course is chosen in the dialog.
    afterFirstExposed(*m_dialog, [this] { m_audio->openInBackground(); });
    m_form->showOnStart();
}

void Program::run()
{
    m_life.runMainLoop();
    destroy();
}

void Program::releaseOnClose()
{
    // Playback stops before the cue images go.
    m_audio->stopAll();
    m_cuePlayer.reset();
    RSPu.reset();
    RSBubuu.reset();
    RSPingPong.reset();
    m_exercise->releaseLists();
}

void Program::destroy()
{
    // A voice and cues still being made are waited for and dropped.
    m_speech = {};
    m_dialog.reset();
    // The window lets go of the exercise first; the exercise speaks through
    // the voice, which goes after it.
    m_form.reset();
    m_exercise.reset();
    m_speaker.reset();
    voice.reset();
    m_random.reset();
    m_cuePlayer.reset();
    RSPu.reset();
    RSBubuu.reset();
    RSPingPong.reset();
    m_audio.reset();
}

int runVocarin(Program& program)
{
    // The main window's close ends the program, not the last window hidden.
    QApplication::setQuitOnLastWindowClosed(false);
    look::applyJapaneseDefaultFont();

    QString stage = u"FormCreate"_s;
    try {
        program.create();
        stage = u"FormShow"_s;
        program.show();
    } catch (const std::exception& fault) {
        showFatalReport(fault, stage);
        program.destroy();
        return 1;
    }
    program.run();
    return 0;
}

int runVocarin(const Platform& platform)
{
    Program program(platform);
    return runVocarin(program);
}

} // namespace vocarin
