// quillet-icon: writes the program's icon, drawn at the sizes Windows asks
// for, as one .ico file (each size a PNG, as Windows Vista and later read);
// one size of it as a PNG, for the desktop's icon theme; or the picture at
// the side of the Windows installer's finish page: a diagram as Quillet draws
// it, on a canvas of the page's size (164 x 314) and a seed of its own.
//
//   quillet-icon OUT.ico | OUT.png SIZE | OUT.bmp

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QtEndian>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/canvas.h"
#include "app/icon.h"
#include "diagram/run.h"
#include "tools/recording/recording_surface.h"

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

QByteArray iconFile()
{
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
    return ico;
}

QImage finishPanel()
{
    const int width = 164;
    const int height = 314;
    const std::uint64_t seed = 11;  // 31 sites, in a teal near the icon's
    RecordingSurface run(width, height, seed);
    runDiagram(run);
    // The lines and circles, as the window's canvas draws them; no words.
    std::vector<RecordingSurface::Op> drawn = run.ops();
    std::erase_if(drawn, [](const RecordingSurface::Op& op) { return op.kind == RecordingSurface::Kind::Print; });
    Canvas canvas{QFont()};
    canvas.fit(QSize(width, height), 1);
    replay(drawn, canvas);
    return canvas.image();
}

bool write(const char* path, const QByteArray& bytes)
{
    QFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
}

}  // namespace

int main(int argc, char* argv[])
{
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    bool ok = false;
    if (argc == 2 && path.endsWith(".ico"))
        ok = write(argv[1], iconFile());
    else if (argc == 3 && path.endsWith(".png"))
        ok = drawnIcon(std::atoi(argv[2])).save(path, "PNG");
    else if (argc == 2 && path.endsWith(".bmp"))
        ok = finishPanel().save(path, "BMP");
    else {
        std::fprintf(stderr, "usage: quillet-icon OUT.ico | OUT.png SIZE | OUT.bmp\n");
        return 2;
    }
    if (!ok)
        std::fprintf(stderr, "quillet-icon: cannot write %s\n", argv[1]);
    return ok ? 0 : 1;
}
