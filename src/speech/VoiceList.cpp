#include "speech/VoiceList.h"

#include "speech/SpVoice.h"

namespace vocarin {

QString noVoiceMessage()
{
    return QStringLiteral("Microsoft 音声合成 (TTS: text-to-speech) を利用できません。\r\n"
                          "Microsoft 音声合成をインストールして下さい。");
}

qint32 findPreferredVoice(const VoiceCollection& voices)
{
    for (const QString& preferred : preferredVoiceDescriptions()) {
        qint32 found = kNoPreferredVoice;
        for (qint32 i = 0; i < voices.Count(); ++i)
            if (voices.Item(i).GetDescription() == preferred)
                found = i;
        if (found != kNoPreferredVoice)
            return found;
    }
    return kNoPreferredVoice;
}

VoiceList listVoices(const VoiceCollection& voices)
{
    VoiceList list;
    for (qint32 i = 0; i < voices.Count(); ++i)
        list.descriptions.append(voices.Item(i).GetDescription());
    list.KeyVoice = findPreferredVoice(voices);
    return list;
}

} // namespace vocarin
