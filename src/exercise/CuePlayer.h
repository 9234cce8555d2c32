#pragma once

namespace vocarin {

enum class Cue { Pu, PingPong, Bubuu }; // RSPu, RSPingPong, RSBubuu

class CuePlayer
{
public:
    virtual ~CuePlayer() = default;
    // Starts the cue and returns at once; a new cue replaces one still sounding.
    virtual void play(Cue cue) = 0;
};

} // namespace vocarin
