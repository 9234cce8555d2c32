#pragma once

#include "app/Platform.h"
#include "windows/Lifecycle.h"

#include <future>
#include <memory>

namespace vocarin {

class AudioOutput;
class CourseSpeaker;
class CueStream;
class CueStreamPlayer;
class Exercise;
class RandomSource;
class SpeechEngine;
class SpVoice;
class TForm1;
class TForm2;

// The program's parts made, joined, shown, run and destroyed in the program's
// own order: the services (sound, the voice, the cues, the speaker, the
// random source), the main window, the exercise on the window's board, the
// course dialog. runVocarin and the tests that run the whole program take
// these steps. Needs a QApplication from create on.
class Program
{
public:
    // Opens the sound output (the device itself later) and starts making the
    // voice, then the cues, on a thread of their own where the platform
    // allows: they need no window system, so the program makes them while Qt
    // connects to the display.
    explicit Program(Platform platform);
    // The course dialog first, then the main window, then the services.
    ~Program();

    // The services (the voice and the cues as made, or their fault), the
    // main window, the exercise, the window's FormCreate, then the course
    // dialog.
    void create();
    // The main window's first showing (its FormShow, which shows the dialog).
    void show();
    // The main loop, then everything is destroyed.
    void run();
    // Everything destroyed in the program's order, while the QApplication is
    // still there; run() ends with it.
    void destroy();

    Lifecycle& life() { return m_life; }
    // Null before create and after run.
    TForm1* form() const { return m_form.get(); }
    TForm2* dialog() const { return m_dialog.get(); }

private:
    // The main window's close: playback stops, then the cue streams and the
    // exercise's lists are released.
    void releaseOnClose();

    // What Program's constructor starts making.
    struct Speech
    {
        std::unique_ptr<SpVoice> voice;
        std::unique_ptr<CueStream> pu, bubuu, pingPong;
    };
    static Speech makeSpeech(AudioOutput& audio,
                             std::vector<std::unique_ptr<SpeechEngine>> engines);

    const Platform m_platform;
    Lifecycle m_life;
    std::unique_ptr<AudioOutput> m_audio;
    std::future<Speech> m_speech; // taken by create
    std::unique_ptr<SpVoice> voice;
    std::unique_ptr<CueStream> RSPu;
    std::unique_ptr<CueStream> RSBubuu;
    std::unique_ptr<CueStream> RSPingPong;
    std::unique_ptr<CueStreamPlayer> m_cuePlayer;
    std::unique_ptr<RandomSource> m_random;
    std::unique_ptr<CourseSpeaker> m_speaker; // the exercise's: recordings, else the voice
    std::unique_ptr<TForm1> m_form;
    std::unique_ptr<Exercise> m_exercise;
    std::unique_ptr<TForm2> m_dialog;
};

// The program block: creates, shows and runs the program. Returns the exit
// code: 0, or 1 after the fatal fault report of a fault while the windows are
// created or first shown. The program is destroyed before it returns.
int runVocarin(Program& program);
int runVocarin(const Platform& platform);

} // namespace vocarin
