#include "speech/SdlAudioOutput.h"

#include "speech/AudioConvert.h"

#include <QThread>

#include <SDL.h>

#include <algorithm>

namespace vocarin {

namespace {

class SilentAudioOutput : public AudioOutput
{
public:
    void playCue(std::shared_ptr<const AudioClip>) override {}
    // Without a device speech ends at once: nothing is heard, so nothing is waited for.
    void playSpeech(std::shared_ptr<const AudioClip>) override {}
    bool isSpeechPlaying() const override { return false; }
    void stopAll() override {}
};

class DeviceLock
{
public:
    explicit DeviceLock(SDL_AudioDeviceID device) : m_device(device)
    {
        SDL_LockAudioDevice(m_device);
    }
    ~DeviceLock() { SDL_UnlockAudioDevice(m_device); }
    DeviceLock(const DeviceLock&) = delete;
    DeviceLock& operator=(const DeviceLock&) = delete;

private:
    SDL_AudioDeviceID m_device;
};

// While the sound server is away every reopen fails; trying once a second
// keeps the cost of those tries off the clicks and words in between.
constexpr std::chrono::seconds kReopenInterval{1};

// How long the device stays open after the last sound: the click, the result
// cue and praise of one answer, and an answer soon after a word, find it
// open; a learner who is thinking or away costs nothing.
constexpr std::chrono::seconds kQuietBeforeClosing{3};

} // namespace

std::unique_ptr<SdlAudioOutput> SdlAudioOutput::open()
{
    // SDL would otherwise take SIGTERM and SIGINT for events nobody reads: the
    // program would outlive a logout, a kill and Ctrl+C.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return nullptr;
    std::unique_ptr<SdlAudioOutput> output(new SdlAudioOutput);
    // Opened once to learn that there is a device and its format, then closed
    // until something sounds: a learner may sit at the course dialog a long time.
    if (!output->openDevice())
        return nullptr;
    output->closeDevice();
    output->m_quiet.setSingleShot(true);
    output->m_quiet.setInterval(kQuietBeforeClosing);
    connect(&output->m_quiet, &QTimer::timeout, output.get(), &SdlAudioOutput::closeIfQuiet);
    return output;
}

SdlAudioOutput::~SdlAudioOutput()
{
    closeDevice();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlAudioOutput::openDevice()
{
    SDL_AudioSpec want{};
    want.freq = 48000;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = 512; // about 10 ms: cues follow clicks closely
    want.callback = &SdlAudioOutput::callback;
    want.userdata = this;
    SDL_AudioSpec got{};
    m_device = SDL_OpenAudioDevice(nullptr, 0, &want, &got, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (m_device == 0)
        return false;
    // A reopened device may run at another rate: the cues follow it.
    const bool sameFormat = got.freq == m_spec.freq && got.channels == m_spec.channels;
    m_spec = got;
    if (!sameFormat) {
        for (auto& [source, converted] : m_cues)
            converted = deviceClip(*source);
    }
    m_sounding = false;
    SDL_PauseAudioDevice(m_device, 0);
    return true;
}

void SdlAudioOutput::closeDevice()
{
    if (m_device != 0)
        SDL_CloseAudioDevice(m_device);
    m_device = 0;
}

bool SdlAudioOutput::deviceReady()
{
    // The timer that closes the device runs in the thread that plays; an
    // output opened on a thread of its own belongs to none until then.
    if (!thread())
        moveToThread(QThread::currentThread());
    if (m_device != 0 && SDL_GetAudioDeviceStatus(m_device) != SDL_AUDIO_STOPPED)
        return true;
    const auto now = std::chrono::steady_clock::now();
    if (m_device != 0) {
        // Lost: what it was playing is gone with it.
        closeDevice();
        m_mixer.stop();
    } else if (now < m_nextOpenAttempt) {
        return false;
    }
    if (openDevice())
        return true;
    m_nextOpenAttempt = now + kReopenInterval;
    return false;
}

void SdlAudioOutput::closeIfQuiet()
{
    if (m_device == 0)
        return;
    {
        DeviceLock lock(m_device);
        // A sound started after the silence that started the timer.
        if (m_mixer.sounding())
            return;
    }
    closeDevice();
}

void SdlAudioOutput::callback(void* self, Uint8* stream, int bytes)
{
    auto* output = static_cast<SdlAudioOutput*>(self);
    AudioMixer& mixer = output->m_mixer;
    if (mixer.mix(reinterpret_cast<float*>(stream),
                  bytes / int(sizeof(float)) / output->m_spec.channels))
        Q_EMIT output->speechFinished();
    if (output->m_sounding && !mixer.sounding()) {
        QTimer* quiet = &output->m_quiet;
        QMetaObject::invokeMethod(quiet, qOverload<>(&QTimer::start), Qt::QueuedConnection);
    }
    output->m_sounding = mixer.sounding();
}

std::shared_ptr<const AudioClip> SdlAudioOutput::deviceClip(const AudioClip& clip) const
{
    return std::make_shared<const AudioClip>(convertClip(clip, m_spec.freq, m_spec.channels));
}

std::shared_ptr<const AudioClip>
SdlAudioOutput::preparedCue(const std::shared_ptr<const AudioClip>& clip)
{
    const auto found = std::find_if(m_cues.begin(), m_cues.end(),
                                    [&clip](const auto& cue) { return cue.first == clip; });
    if (found != m_cues.end())
        return found->second;
    return m_cues.emplace_back(clip, deviceClip(*clip)).second;
}

void SdlAudioOutput::prepareCue(const std::shared_ptr<const AudioClip>& clip)
{
    preparedCue(clip);
}

void SdlAudioOutput::playCue(std::shared_ptr<const AudioClip> clip)
{
    if (!deviceReady())
        return;
    auto converted = preparedCue(clip);
    DeviceLock lock(m_device);
    m_mixer.setCue(std::move(converted));
}

void SdlAudioOutput::playSpeech(std::shared_ptr<const AudioClip> clip)
{
    if (!deviceReady())
        return;
    auto converted = deviceClip(*clip);
    DeviceLock lock(m_device);
    m_mixer.setSpeech(std::move(converted));
}

bool SdlAudioOutput::isSpeechPlaying() const
{
    if (m_device == 0)
        return false;
    DeviceLock lock(m_device);
    return m_mixer.speechPlaying();
}

void SdlAudioOutput::stopAll()
{
    if (m_device == 0)
        return;
    DeviceLock lock(m_device);
    m_mixer.stop();
}

std::unique_ptr<AudioOutput> openSystemAudioOutput()
{
    auto device = SdlAudioOutput::open();
    // SDL keeps data per calling thread (its error text, set when there is no
    // device), and the caller may be a thread about to end: let it go now.
    SDL_TLSCleanup();
    std::unique_ptr<AudioOutput> output;
    if (device)
        output = std::move(device);
    else
        output = std::make_unique<SilentAudioOutput>();
    // The opening thread may end before the output is used: it belongs to no
    // thread until its user takes it over.
    output->moveToThread(nullptr);
    return output;
}

} // namespace vocarin
