// The picture part's table (PictureServices.h), registered as the part is
// linked in or loaded as the module.
#include <QGuiApplication>

#include "core/model/ImageListStream.h"
#include "core/model/PictureServices.h"
#include "core/plan/WeekPicture.h"

namespace {

QCoreApplication* MakeGuiApplication(int& argc, char** argv) { return new QGuiApplication(argc, argv); }

const TPictureServices kServices = {AppendImageListStream, TWeekPicture::WritePng, MakeGuiApplication};

// Run before main in a program that links the part, at loading in the module.
[[maybe_unused]] const bool kRegistered = (RegisterPictureServices(&kServices), true);

}  // namespace
