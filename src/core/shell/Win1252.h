#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Names and texts are single-byte Windows-1252 in every file and on the box.
// Inside the program they are QStrings; these helpers convert at the edges.
// Every byte 0..255 decodes to one character and encodes back to the same
// byte, so a file's bytes survive a load and save unchanged.

QString FromWin1252(QByteArrayView bytes);

// Characters that Windows-1252 lacks become '?'. `ok`, when given, tells
// whether every character could be encoded.
QByteArray ToWin1252(const QString& text, bool* ok = nullptr);

bool IsWin1252(const QString& text);

// Replaces each letter Windows-1252 lacks by its nearest one (Ż -> Z,
// ł -> l, ő -> ö: the double acute becomes the diaeresis, other marks the
// mark's own letter where Windows-1252 has it, else the bare letter), so a
// typed name keeps every letter. Characters with no near letter (other
// scripts, symbols) stay as they are; IsWin1252 still refuses them.
QString ToNearestWin1252(const QString& text);

// Short string: one length byte followed by the characters, the field always
// `width` + 1 bytes wide. Reading clamps a stored length above `width` to
// `width`; the bytes after the length are ignored.
QString ReadShortString(QByteArrayView field, int width);
// Writes into field[0..width]; the text is cut to `width` bytes and the unused
// characters are zero.
void WriteShortString(char* field, int width, const QString& text);
