#pragma once

#include "course/CoursePaths.h"
#include "course/StringList.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace vocarin {

// The sound files that speak a course's words in place of the voice. A course
// whose option file carries the format marker ("wav" or "mp3" on line 3) may
// have, in its folder or in the folder's subfolder "sounds", a file for a word:
// named as the word's line (see recordingName) with one of the extensions of
// recordingExtensions, matched without regard to case. A course without the
// marker has none.
class CourseRecordings
{
public:
    // The word's recording as a path for this file system, or an empty text.
    // Among several files for one word the preferred is one named in the
    // word's own case, then one in the course folder before one in "sounds",
    // then by extension in the order of recordingExtensions.
    QString pathOf(const QString& word) const;
    // Every sound file found, whether it belongs to a word or not.
    QStringList files() const;
    bool isEmpty() const { return m_byName.isEmpty(); }

private:
    friend CourseRecordings soundFilesOf(const CourseFolder& folder);
    struct SoundFile
    {
        QString path;
        QString stem; // the name without its extension
        int rank;     // lower is preferred
    };
    QHash<QString, QList<SoundFile>> m_byName; // by the stem, case folded; best rank first
};

// The recordings of the course in folder, whose option file's lines are
// optionList: none without the format marker, else soundFilesOf(folder).
CourseRecordings findRecordings(const CourseFolder& folder, const StringList& optionList);

// The sound files that would be the course's recordings, marker or not: its
// folder listed once, now. Never throws: a folder that cannot be listed has none.
CourseRecordings soundFilesOf(const CourseFolder& folder);

// The option file's line 3 is the format marker: the course has recordings.
bool hasFormatMarker(const StringList& optionList);

// A word's recording file name without extension: the word's line, with each
// character a Windows file name cannot hold (\ / : * ? " < > | and control
// characters) written as "_". Empty for an empty word, which has no recording.
QString recordingName(const QString& word);

// Recording names are the same name when their keys are: without regard to case.
QString recordingKey(const QString& name);

// Lower case, without the dot; a name's extension matches without regard to case.
inline const QStringList recordingExtensions{
    QStringLiteral("wav"),  QStringLiteral("mp3"),  QStringLiteral("ogg"),
    QStringLiteral("opus"), QStringLiteral("flac"),
};

// The subfolder of a course folder that may hold its recordings.
inline const QString recordingFolderName = QStringLiteral("sounds");

} // namespace vocarin
