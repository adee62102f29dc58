#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <memory>

#include "core/model/ImageList.h"

// Image list files: one image list as a component resource, so that they
// exchange with existing installations:
//   resource header: 0xFF, 16-bit type 10, the name "TIMAGELIST" + 0,
//                    16-bit flags 0x1030, 32-bit length of what follows
//   object stream:   "TPF0", class "TImageList", the component name,
//                    properties Height, Width and the binary "Bitmap"
//   "Bitmap":        the common-controls image-list stream ("IL" header with
//                    count and picture size, then the pictures as one BMP
//                    strip and, for masked lists, the mask strip)
// Multi-byte values are little-endian. Details of the stream and its limits:
// model/ImageListStream.h.
//
// Reading: a bare object stream (starting "TPF0") is accepted too; other
// properties are skipped by their value types; Height and Width must be
// integers but the stream's own picture size rules, and pictures of another
// size are scaled to the list's size (the list keeps its size). A file
// without "Bitmap" is an empty list. The component name becomes list.Name.
// Writing: an empty list gets no "Bitmap" property; pixels under a mask are
// written black (see ImageListStream.h).

// Parses a whole file image. On failure returns false, leaves `list`
// untouched and says why in `error`; never reads past `data`. Every check
// is made here, but the pictures stay undecoded in `data` (the list keeps a
// reference to it, so it must own its bytes or outlive the list) until
// first asked for; see TImageList. `keeper`, when given, keeps `data` valid
// (a mapped file, see HeldFile.h) for as long as the pictures need it.
bool ParseImageListFile(const QByteArray& data, TImageList& list, QString* error = nullptr,
                        std::shared_ptr<const void> keeper = {});
// The same on bytes the caller keeps: they are copied.
bool ParseImageListFile(QByteArrayView data, TImageList& list, QString* error = nullptr);

// The file image of `list` (its Name is written as the component name).
QByteArray WriteImageListFile(const TImageList& list);
