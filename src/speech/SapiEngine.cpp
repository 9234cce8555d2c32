#include "speech/SapiEngine.h"

#include "core/Fault.h"

#include <QtMath>

#include <algorithm>
#include <vector>

#include <windows.h>

#include <sapi.h>
#include <sphelper.h>
#include <wrl/client.h>

namespace vocarin {

namespace {

using Microsoft::WRL::ComPtr;

// SAPI's own format identifier for a WAVEFORMATEX stream; mingw-w64's import
// library lacks its definition.
constexpr GUID kWaveFormatExFormat = {
    0xc31adbae, 0x527f, 0x4ff5, {0xa2, 0x30, 0xf6, 0x2b, 0xb6, 0x1f, 0xf7, 0x0c}};

constexpr int kSampleRate = 22050;

// SAPI's rate runs from -10 to 10, each step a factor of 3^(1/10) in speed.
long sapiRate(double rate)
{
    return std::clamp(std::lround(10.0 * std::log(rate) / std::log(3.0)), -10L, 10L);
}

[[noreturn]] void fail(const QString& what, HRESULT result)
{
    throw Fault(
        QStringLiteral("SAPI: %1 (0x%2)").arg(what).arg(quint32(result), 8, 16, QLatin1Char('0')));
}

QString takeCoString(WCHAR* text)
{
    const QString out = QString::fromWCharArray(text);
    CoTaskMemFree(text);
    return out;
}

} // namespace

struct SapiEngine::Impl
{
    ComPtr<ISpVoice> voice;
    std::vector<ComPtr<ISpObjectToken>> tokens;
    QStringList descriptions;
};

SapiEngine::SapiEngine() : d(new Impl) {}

SapiEngine::~SapiEngine() = default;

void SapiEngine::start()
{
    // Qt has made the window thread a single-threaded apartment already; a
    // second call only counts it.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    d->tokens.clear();
    d->descriptions.clear();
    HRESULT result = CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_ALL, IID_ISpVoice,
                                      reinterpret_cast<void**>(d->voice.ReleaseAndGetAddressOf()));
    if (FAILED(result))
        fail(QStringLiteral("音声オブジェクトを作れません"), result);
    ComPtr<IEnumSpObjectTokens> found;
    result = SpEnumTokens(SPCAT_VOICES, nullptr, nullptr, found.GetAddressOf());
    // No voice category at all is a system without voices, not a fault.
    if (FAILED(result) || !found)
        return;
    ULONG count = 0;
    found->GetCount(&count);
    for (ULONG i = 0; i < count; ++i) {
        ComPtr<ISpObjectToken> token;
        WCHAR* description = nullptr;
        if (FAILED(found->Item(i, token.GetAddressOf())) ||
            FAILED(SpGetDescription(token.Get(), &description)))
            continue;
        d->descriptions.append(takeCoString(description));
        d->tokens.push_back(std::move(token));
    }
}

QStringList SapiEngine::voices() const
{
    return d->descriptions;
}

AudioClip SapiEngine::synthesize(int voice, const QString& text, double rate)
{
    ComPtr<IStream> memory;
    HRESULT result = CreateStreamOnHGlobal(nullptr, TRUE, memory.GetAddressOf());
    ComPtr<ISpStream> stream;
    if (SUCCEEDED(result))
        result = CoCreateInstance(CLSID_SpStream, nullptr, CLSCTX_ALL, IID_ISpStream,
                                  reinterpret_cast<void**>(stream.GetAddressOf()));
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = kSampleRate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = kSampleRate * 2;
    if (SUCCEEDED(result))
        result = stream->SetBaseStream(memory.Get(), kWaveFormatExFormat, &format);
    if (SUCCEEDED(result))
        result = d->voice->SetOutput(stream.Get(), FALSE);
    if (SUCCEEDED(result))
        result = d->voice->SetVoice(d->tokens.at(std::size_t(voice)).Get());
    if (SUCCEEDED(result))
        result = d->voice->SetRate(sapiRate(rate));
    // Plain text, never read as SAPI's XML: a word list line is not markup.
    if (SUCCEEDED(result))
        result = d->voice->Speak(reinterpret_cast<const wchar_t*>(text.utf16()),
                                 SPF_DEFAULT | SPF_IS_NOT_XML, nullptr);
    d->voice->SetOutput(nullptr, FALSE);
    if (FAILED(result))
        fail(QStringLiteral("\"%1\" を音声にできません").arg(text), result);

    HGLOBAL bytes = nullptr;
    STATSTG stat{};
    if (FAILED(GetHGlobalFromStream(memory.Get(), &bytes)) ||
        FAILED(memory->Stat(&stat, STATFLAG_NONAME)))
        fail(QStringLiteral("音声を読み出せません"), E_FAIL);
    const auto sampleCount = std::size_t(stat.cbSize.QuadPart / 2);
    AudioClip clip;
    clip.sampleRate = kSampleRate;
    clip.channels = 1;
    clip.samples.resize(sampleCount);
    const auto* pcm = static_cast<const qint16*>(GlobalLock(bytes));
    if (pcm) {
        std::transform(pcm, pcm + sampleCount, clip.samples.begin(),
                       [](qint16 s) { return float(s) / 32768.0f; });
        GlobalUnlock(bytes);
    }
    return clip;
}

} // namespace vocarin
