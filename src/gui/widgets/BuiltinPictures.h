#pragma once

#include <QImage>
#include <QString>
#include <vector>

// The built-in picture libraries offered by the room/device editor: 32 room
// pictures and 32 device pictures, each 130 x 80, RGB888, drawn from the
// icons in resources/icons/{rooms,devices}/ on a calm tile background. Each
// call renders afresh (a few milliseconds); callers keep the result.
std::vector<QImage> BuiltinRoomPictures();
std::vector<QImage> BuiltinDevicePictures();

// The icon names in library order (file names without ".svg").
std::vector<QString> BuiltinRoomIconNames();
std::vector<QString> BuiltinDeviceIconNames();
// The library index of an icon name in `names`; 0 when it is not there.
int BuiltinIconIndex(const std::vector<QString>& names, const QString& icon);

// Renders one SVG resource centred on the tile background at 130 x 80; a
// missing or invalid file gives the plain background.
QImage RenderLibraryPicture(const QString& svgResource, bool room);
