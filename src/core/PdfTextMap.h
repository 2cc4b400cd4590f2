// The text a reader takes from our PDF files: the character map of each embedded font
// made to name the characters that were drawn, and the author in the document information.
//
// Qt's PDF writer names each glyph of a font by the lowest code point the font maps to it.
// Noto Sans CJK draws many ideographs with the glyph of a CJK radical (長 and ⻑, 月 and ⽉),
// so a reader copies, searches and extracts the radical. The correction names such a glyph
// by the unified ideograph that shares it: a radical is never what our documents draw.
// (Glyphs reached only through the font's substitutions are avoided at drawing time: our
// documents draw with QFont::PreferNoShaping, see DocumentFont.)
#pragma once

#include <QFont>
#include <QString>

// The font our documents draw with, at a size and weight: glyphs straight from the font's
// character map, so that every glyph in the document can be named.
QFont DocumentFont(const QString& family, bool bold = false);

// Rewrites the PDF at path in place: every ToUnicode character map whose entries name a
// CJK radical (U+2E80–U+2FDF) names the ideograph drawn with the same glyph of family
// instead, and author ('' = none) becomes the document's /Author. The file is replaced
// only when complete. false with the reason in error when the file cannot be read or
// written; a file without such entries is left as it is (apart from the author).
bool CorrectPdfTextMap(const QString& path, const QString& family, const QString& author, QString* error = nullptr);

// The unified ideograph the font draws with the same glyph as the radical, or 0 when the
// font draws it with a glyph of its own (or has none).
char32_t IdeographSharingGlyph(const QString& family, char32_t radical);
