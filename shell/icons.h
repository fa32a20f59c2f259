#pragma once
// The application's own pictures, drawn as vectors so that they stay sharp at every size:
// the tool-bar images (by the image keys of the tool bar), the application icon and the
// splash picture.
#include <QIcon>
#include <QImage>
#include <QString>

class QPainter;
class QRectF;

namespace icons {

// Image keys of the tool bar's image list.
inline const char* const kNew = "New";
inline const char* const kOpen = "Open";
inline const char* const kSave = "Save";
inline const char* const kRead = "Read";
inline const char* const kSetCom = "Set COM";
inline const char* const kWrite = "Write";
inline const char* const kHelp = "Help";

// A tool-bar image by its key; an empty icon for an unknown key.
QIcon toolIcon(const QString& imageKey);

// The hand-held radio that stands for the application.
QIcon appIcon();
QImage renderAppIcon(int size);

// The splash picture, painted into the given rectangle.
void paintSplash(QPainter& painter, const QRectF& rect);

}  // namespace icons
