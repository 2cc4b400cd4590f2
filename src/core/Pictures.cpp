// Pictures: JPEG decoded with libjpeg-turbo, BMP read and written by our own code.
#include "core/Pictures.h"


#include <QFile>
#include <QtEndian>

#include <csetjmp>
#include <cstdio>
#include <cstring>

extern "C" {
#include <jpeglib.h>
}

namespace {

struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};

void jpegErrorExit(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

void jpegSilence(j_common_ptr, int) {}

} // namespace

QImage DecodeJpeg(const QByteArray& bytes)
{
    if (bytes.size() < 4)
        return {};
    jpeg_decompress_struct cinfo;
    JpegError err;
    cinfo.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = jpegErrorExit;
    err.mgr.emit_message = jpegSilence;
    QImage image;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return {};
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.constData()), (unsigned long)bytes.size());
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) {
        jpeg_destroy_decompress(&cinfo);
        return {};
    }
    // 24-bit colour, best quality, not greyscale, not progressive, no smoothing.
    cinfo.out_color_space = JCS_RGB;
    cinfo.dct_method = JDCT_ISLOW;
    cinfo.do_fancy_upsampling = FALSE;
    cinfo.do_block_smoothing = FALSE;
    cinfo.buffered_image = FALSE;
    cinfo.quantize_colors = FALSE;
    jpeg_start_decompress(&cinfo);
    image = QImage(int(cinfo.output_width), int(cinfo.output_height), QImage::Format_RGB888);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = image.scanLine(int(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return image;
}

namespace {

quint32 u32(const QByteArray& b, int at)
{
    if (at + 4 > b.size())
        return 0;
    quint32 v;
    std::memcpy(&v, b.constData() + at, 4);
    return qFromLittleEndian(v);
}

quint16 u16(const QByteArray& b, int at)
{
    if (at + 2 > b.size())
        return 0;
    quint16 v;
    std::memcpy(&v, b.constData() + at, 2);
    return qFromLittleEndian(v);
}

} // namespace

QImage DecodeBmp(const QByteArray& b)
{
    if (b.size() < 54 || b.at(0) != 'B' || b.at(1) != 'M')
        return {};
    const quint32 dataOffset = u32(b, 10);
    const quint32 headerSize = u32(b, 14);
    if (headerSize < 40)
        return {};
    const qint32 width = qint32(u32(b, 18));
    qint32 height = qint32(u32(b, 22));
    const quint16 bits = u16(b, 28);
    const quint32 compression = u32(b, 30);
    quint32 colorsUsed = u32(b, 46);
    const bool topDown = height < 0;
    if (topDown)
        height = -height;
    if (width <= 0 || height <= 0 || width > 20000 || height > 20000)
        return {};
    const bool rle8 = compression == 1 && bits == 8;
    if (!(compression == 0 || compression == 3 || rle8))
        return {};
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return {};

    QList<QRgb> palette;
    if (bits <= 8) {
        if (colorsUsed == 0 || colorsUsed > (1u << bits))
            colorsUsed = 1u << bits;
        const int at = 14 + int(headerSize);
        for (quint32 i = 0; i < colorsUsed; ++i) {
            const int p = at + int(i) * 4;
            if (p + 3 >= b.size())
                return {};
            palette << qRgb(quint8(b[p + 2]), quint8(b[p + 1]), quint8(b[p]));
        }
    }

    QImage image(width, height, QImage::Format_RGB32);
    auto setPixel = [&](int x, int fileRow, QRgb c) {
        if (x < 0 || x >= width || fileRow < 0 || fileRow >= height)
            return;
        const int y = topDown ? fileRow : height - 1 - fileRow;
        reinterpret_cast<QRgb*>(image.scanLine(y))[x] = c;
    };
    auto paletteColor = [&](int index) { return index < palette.size() ? palette[index] : qRgb(0, 0, 0); };

    if (rle8) {
        image.fill(Qt::black);
        int pos = int(dataOffset), x = 0, row = 0;
        while (pos + 1 < b.size() && row < height) {
            const int count = quint8(b[pos]), value = quint8(b[pos + 1]);
            pos += 2;
            if (count > 0) {
                for (int i = 0; i < count; ++i)
                    setPixel(x++, row, paletteColor(value));
            } else if (value == 0) {
                x = 0;
                ++row;
            } else if (value == 1) {
                break;
            } else if (value == 2) {
                if (pos + 1 >= b.size())
                    break;
                x += quint8(b[pos]);
                row += quint8(b[pos + 1]);
                pos += 2;
            } else {
                for (int i = 0; i < value && pos < b.size(); ++i)
                    setPixel(x++, row, paletteColor(quint8(b[pos++])));
                if (value & 1)
                    ++pos;
            }
        }
        return image;
    }

    const qint64 stride = ((qint64(width) * bits + 31) / 32) * 4;
    if (qint64(dataOffset) + stride * height > b.size())
        return {};
    for (int row = 0; row < height; ++row) {
        const unsigned char* line = reinterpret_cast<const unsigned char*>(b.constData()) + dataOffset + stride * row;
        for (int x = 0; x < width; ++x) {
            QRgb c;
            switch (bits) {
            case 32:
            case 24: {
                const unsigned char* p = line + x * (bits / 8);
                c = qRgb(p[2], p[1], p[0]);
                break;
            }
            case 8:
                c = paletteColor(line[x]);
                break;
            case 4:
                c = paletteColor((x & 1) ? (line[x / 2] & 0x0F) : (line[x / 2] >> 4));
                break;
            default:
                c = paletteColor((line[x / 8] >> (7 - x % 8)) & 1);
            }
            setPixel(x, row, c);
        }
    }
    return image;
}

QImage ReadPictureFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = f.readAll();
    if (bytes.startsWith("BM"))
        return DecodeBmp(bytes);
    if (bytes.size() > 2 && quint8(bytes[0]) == 0xFF && quint8(bytes[1]) == 0xD8)
        return DecodeJpeg(bytes);
    return {};
}

QByteArray EncodeBmp(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const int width = rgb.width(), height = rgb.height();
    const int rowBytes = ((24 * width + 31) / 32) * 4;
    const quint32 dataSize = quint32(rowBytes) * quint32(height);
    QByteArray out(54 + int(dataSize), '\0');
    auto put16 = [&out](int at, quint16 v) {
        out[at] = char(v & 0xFF);
        out[at + 1] = char(v >> 8);
    };
    auto put32 = [&out](int at, quint32 v) {
        for (int i = 0; i < 4; ++i)
            out[at + i] = char((v >> (8 * i)) & 0xFF);
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, 54 + dataSize);
    put32(10, 54);
    put32(14, 40);
    put32(18, quint32(width));
    put32(22, quint32(height));
    put16(26, 1);
    put16(28, 24);
    put32(34, dataSize);
    put32(38, 3780);   // 96 dpi in pixels per metre
    put32(42, 3780);
    for (int y = 0; y < height; ++y) {
        const uchar* src = rgb.constScanLine(height - 1 - y);
        char* dst = out.data() + 54 + y * rowBytes;
        for (int x = 0; x < width; ++x) {
            dst[3 * x] = char(src[3 * x + 2]);
            dst[3 * x + 1] = char(src[3 * x + 1]);
            dst[3 * x + 2] = char(src[3 * x]);
        }
    }
    return out;
}

QString BmpHeaderProblem(const QByteArray& b)
{
    if (b.size() < 18 || b.at(0) != 'B' || b.at(1) != 'M')
        return QStringLiteral("LoadDIBFromStream: File type is invalid");
    const quint32 headerSize = u32(b, 14);
    if (!(headerSize == 12 || headerSize >= 40) || b.size() < 14 + int(headerSize))
        return QStringLiteral("LoadDIBFromStream: Invalid Bitmap Header Size");
    const quint16 bits = headerSize == 12 ? u16(b, 24) : u16(b, 28);
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return QStringLiteral("LoadDIBFromStream: Invalid BitCout");
    return {};
}

QString PicturePath(const QString& exeFolder, const QString& name)
{
    if (name.isEmpty())
        return {};
    return exeFolder + QStringLiteral("Picture/") + QString(name).replace('\\', '/');
}
