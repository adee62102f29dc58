#pragma once

#include <QString>

class QByteArray;
class QCoreApplication;
class TImageList;
class TLoadSave;
class TWeekPlan;

// The core comes in two parts. Most of it needs QtCore only; decoding,
// encoding and drawing pictures (ImageList.cpp, ImageListCodec.cpp,
// WeekPicture.cpp, PictureServicesImpl.cpp: the "picture part") need QtGui,
// which costs a program without pictures half its start-up time. The
// QtGui-free part reaches the picture part only through this table.
//
// Programs that link the whole core (klv820, the tests) have the picture
// part registered before main. klv820ctl links only the QtGui-free part and
// loads the picture part on demand from the module "klv820pictures" beside
// its executable.
struct TPictureServices {
  // AppendImageListStream (ImageListStream.h).
  void (*appendImageListStream)(const TImageList& list, QByteArray& out);
  // Draws the week picture of `plan` (TWeekPicture) for `days` days and
  // writes it to `file` as PNG; on failure returns false with the reason.
  bool (*writeWeekPicturePng)(const TWeekPlan& plan, const TLoadSave& installation, int days,
                              const QString& file, QString* error);
  // A QGuiApplication (drawing text needs one); the caller owns it.
  QCoreApplication* (*makeGuiApplication)(int& argc, char** argv);
};

// The picture part: as registered, else loaded from `folder` (empty: the
// application's folder). Null when it cannot be loaded; `error` says why.
const TPictureServices* PictureServices(QString* error = nullptr, const QString& folder = QString());

// For a caller that checked PictureServices() before: the picture part, or
// a fatal error.
const TPictureServices& RequiredPictureServices();

// Called once by the picture part as it is linked in or loaded.
void RegisterPictureServices(const TPictureServices* services);
