#pragma once

#include "course/CourseText.h"

#include <QString>

namespace vocarin::tools {

// The fixed identifier of an encoding, for scripts: "utf-8-bom", "utf-16le",
// "utf-16be", "utf-8" or "cp932".
QString encodingId(CourseEncoding encoding);

// What a teacher reads for an encodingId: "シフトJIS（CP932）" for "cp932".
QString encodingLabel(const QString& id);

} // namespace vocarin::tools
