#pragma once

#include <QString>

// The recovery copy: the whole installation, written after every confirmed
// change into "recovery/installation.rec" beside the working files, so that
// an ending that could not save (a kill, a crash, power loss) loses nothing.
//
// File layout: "KLV820REC1", one byte file count, then per file a byte name
// length, the Latin-1 name, a 32-bit little-endian size and the file's bytes
// as the working file holds them. Written aside and renamed (atomic).
namespace Recovery {

// The copy's path.
QString CopyPath();

// A screen confirmed a change (an editor's, timer's, scene's or settings'
// OK): the installation is serialised on the next event-loop turn (several
// changes in one turn make one copy) and written on a worker thread. Without
// an event loop (no QCoreApplication) it is written at once.
void NoteConfirmedChange();

// Runs a scheduled serialisation now and waits until every write is done.
void Flush();

// True when a copy exists that is newer than every working file, i.e. the
// last ending did not save. A copy that is not newer is removed.
bool CopyPending();

// Replaces the working files by the copy's files (the normal save sequence),
// removes the copy and reloads the installation. False, with the copy kept,
// when it cannot be read or written.
bool Restore();

// Drops pending changes and removes the copy (normal exit, "no" to restoring,
// a save at the end of the session).
void Remove();

}  // namespace Recovery
