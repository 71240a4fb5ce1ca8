// quillet-icon: writes the program's icon, drawn at the sizes Windows asks
// for, as one .ico file (each size a PNG, as Windows Vista and later read).
//
//   quillet-icon OUT.ico

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QtEndian>
#include <cstdio>
#include <vector>

#include "app/icon.h"

namespace {

void put16(QByteArray& out, quint16 v)
{
    const quint16 le = qToLittleEndian(v);
    out.append(reinterpret_cast<const char*>(&le), 2);
}

void put32(QByteArray& out, quint32 v)
{
    const quint32 le = qToLittleEndian(v);
    out.append(reinterpret_cast<const char*>(&le), 4);
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: quillet-icon OUT.ico\n");
        return 2;
    }
    const std::vector<int> sizes{16, 20, 24, 32, 40, 48, 64, 96, 128, 256};
    std::vector<QByteArray> pngs;
    for (const int size : sizes) {
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        drawnIcon(size).save(&png, "PNG");
        pngs.push_back(png.data());
    }
    // ICONDIR, then one ICONDIRENTRY a size, then the images.
    QByteArray ico;
    put16(ico, 0);
    put16(ico, 1);
    put16(ico, static_cast<quint16>(sizes.size()));
    quint32 offset = 6 + 16 * static_cast<quint32>(sizes.size());
    for (std::size_t k = 0; k < sizes.size(); ++k) {
        const char side = static_cast<char>(sizes[k] == 256 ? 0 : sizes[k]);  // 0 means 256
        ico.append(side).append(side).append('\0').append('\0');
        put16(ico, 1);   // planes
        put16(ico, 32);  // bits a pixel
        put32(ico, static_cast<quint32>(pngs[k].size()));
        put32(ico, offset);
        offset += static_cast<quint32>(pngs[k].size());
    }
    for (const QByteArray& png : pngs)
        ico.append(png);
    QFile out(argv[1]);
    if (!out.open(QIODevice::WriteOnly) || out.write(ico) != ico.size()) {
        std::fprintf(stderr, "quillet-icon: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
