// Pictures: JPEG decoded with libjpeg-turbo, BMP read and written by our own code.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Decodes a JPEG (24-bit colour, accurate DCT, no fancy upsampling); null image on failure.
QImage DecodeJpeg(const QByteArray& bytes);
// Reads an uncompressed BMP (1, 4, 8, 24 or 32 bits, bottom-up or top-down) or an
// 8-bit RLE one; null image on failure.
QImage DecodeBmp(const QByteArray& bytes);
// Writes a picture as an uncompressed bottom-up 24-bit BMP (rows padded to 4 bytes), which
// DecodeBmp reads back pixel for pixel.
QByteArray EncodeBmp(const QImage& image);
// Why bytes cannot be read as a BMP: "LoadDIBFromStream: File type is invalid",
// "… Invalid Bitmap Header Size" or "… Invalid BitCout"; '' when the header is sound.
QString BmpHeaderProblem(const QByteArray& bytes);
// A picture file by its content (JPEG or BMP); null image when it cannot be read.
QImage ReadPictureFile(const QString& path);
// The full path of a picture name under the program folder's Picture folder ('' for no
// name); exeFolder ends with "/".
QString PicturePath(const QString& exeFolder, const QString& name);
