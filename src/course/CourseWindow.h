#pragma once

#include <QString>

namespace vocarin {

// The one thing the course load changes on the main window.
class CourseWindow
{
public:
    virtual ~CourseWindow() = default;
    virtual void setCaption(const QString& caption) = 0;
};

} // namespace vocarin
