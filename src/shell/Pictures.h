// Employee pictures: JPEG decoded with libjpeg-turbo, BMP read by our own reader.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Decodes a JPEG (24-bit colour, accurate DCT, no fancy upsampling); null image on failure.
QImage DecodeJpeg(const QByteArray& bytes);
// Reads an uncompressed BMP (1, 4, 8, 24 or 32 bits, bottom-up or top-down) or an
// 8-bit RLE one; null image on failure.
QImage DecodeBmp(const QByteArray& bytes);
// A picture file by its content (JPEG or BMP); null image when it cannot be read.
QImage ReadPictureFile(const QString& path);
// The full path of a picture name under the program's Picture folder ('' for no name).
QString PicturePath(const QString& name);
