#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

// A file's bytes mapped into memory instead of read, for files that are large
// and mostly left unread (the picture lists: a picture is decoded only when
// shown). Mapped pages cost neither a copy at start nor private memory.
//
// A mapping shows whatever the file holds now, and a file cut short under a
// mapping faults on access; so a file is only mapped under a read lease
// (Linux): before anyone else may open the file for writing or truncate it,
// the kernel holds them back and tells this process, which first copies the
// mapped bytes into private memory in place (same address, same bytes), then
// lets them go. The bytes seen through `bytes` therefore never change.
struct THeldFile {
  QByteArray bytes;                    // QByteArray::fromRawData over the mapping
  std::shared_ptr<const void> keeper;  // keeps the mapping (and lease) alive
};

// Maps the file at `path` when it holds 1..maxSize bytes and a lease can be
// taken (the user's own file on a local file system, nobody writing it).
// Otherwise, and on systems without leases, nullopt: read the file instead.
// `bytes` stay valid for as long as a copy of `keeper` lives.
std::optional<THeldFile> HoldFile(const QString& path, qint64 maxSize);
