#pragma once
// Button pictures: PNG files in the "img" folder beside the program.

#include <QPixmap>
#include <QString>
#include <functional>

namespace mirel {

// The picture folder, ending in "/": by default <program folder>/img/.
QString pictureFolder();
void setPictureFolder(const QString &folder);

// A relative name is looked up in the picture folder. Returns false (and
// writes one log line) when the file is missing or no picture; out is then
// an empty picture, so the button falls back to its painted face.
bool loadPicture(const QString &fileName, QPixmap &out);

// Where the control library writes its log lines. The program points this
// at its log file at start-up; by default lines go to qWarning.
void setLogHandler(std::function<void(const QString &)> handler);
void writeLog(const QString &line);

} // namespace mirel
