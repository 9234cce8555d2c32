#pragma once

#include "core/Fault.h"
#include "exercise/CuePlayer.h"
#include "speech/AudioOutput.h"

#include <QString>

#include <memory>

namespace vocarin {

// "%s リソースが見つかりません"
class ResourceNotFoundFault : public Fault
{
public:
    explicit ResourceNotFoundFault(const QString& name);
};

// A read-only view of one embedded WAVE image ("SysPu", "Sysbubuu",
// "SysPingPong"), looked up without regard to case, decoded once and brought
// to the cues' level (kCueRms), whatever level the image has.
class CueStream
{
public:
    explicit CueStream(const QString& resourceName); // throws ResourceNotFoundFault
    std::shared_ptr<const AudioClip> clip() const { return m_clip; }

private:
    std::shared_ptr<const AudioClip> m_clip;
};

// Plays RSPu, RSPingPong and RSBubuu through the output; returns at once.
class CueStreamPlayer : public CuePlayer
{
public:
    CueStreamPlayer(AudioOutput& output, const CueStream& pu, const CueStream& pingPong,
                    const CueStream& bubuu);
    void play(Cue cue) override;

private:
    AudioOutput& m_output;
    const CueStream& m_pu;
    const CueStream& m_pingPong;
    const CueStream& m_bubuu;
};

} // namespace vocarin
