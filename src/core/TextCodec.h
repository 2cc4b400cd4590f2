// Shift-JIS (CP932) at the edges: CSV files and input limits counted in CP932 bytes.
#pragma once

#include <QByteArray>
#include <QString>

// The text in CP932. The usual Unicode variants of CP932's characters are written as
// their CP932 forms (〜 as ～, − as －, ‖ as ∥, ¢ £ ¬ ¥ ¦ — as their full-width forms);
// characters CP932 still lacks become '?' (Cp932Unwritable finds them first).
QByteArray ToCp932(const QString& text);
// The text with those variants replaced by the characters CP932 holds.
QString WithCp932Forms(const QString& text);
// The characters of text (each once, in order of appearance) that CP932 cannot hold even
// after the variants are replaced: ToCp932 would write them as '?'. '' when none.
QString Cp932Unwritable(const QString& text);
// CP932 bytes as text; false in ok when the bytes are not valid CP932.
QString FromCp932(const QByteArray& bytes, bool* ok = nullptr);
// The number of bytes the text takes in CP932 (two per full-width character).
int Cp932Length(const QString& text);
// The longest start of text that fits in maxBytes CP932 bytes.
QString TruncateToCp932Bytes(const QString& text, int maxBytes);
// True when the bytes are well-formed UTF-8.
bool IsValidUtf8(const QByteArray& bytes);
