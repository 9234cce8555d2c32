#pragma once

#include <QString>

namespace vocarin {

class Speaker
{
public:
    virtual ~Speaker() = default;
    // Returns when the text has been spoken.
    virtual void speak(const QString& text) = 0;
};

} // namespace vocarin
