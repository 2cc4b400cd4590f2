// Shift-JIS (CP932) at the edges: CSV files and input limits counted in CP932 bytes.
#pragma once

#include <QByteArray>
#include <QString>

// The text in CP932; characters CP932 lacks become '?'.
QByteArray ToCp932(const QString& text);
// CP932 bytes as text; false in ok when the bytes are not valid CP932.
QString FromCp932(const QByteArray& bytes, bool* ok = nullptr);
// The number of bytes the text takes in CP932 (two per full-width character).
int Cp932Length(const QString& text);
// The longest start of text that fits in maxBytes CP932 bytes.
QString TruncateToCp932Bytes(const QString& text, int maxBytes);
// True when the bytes are well-formed UTF-8.
bool IsValidUtf8(const QByteArray& bytes);
