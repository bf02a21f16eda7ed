// Replays every file of the given folders through the fuzz entry point, then a fixed number of
// seeded mutations of them, so the suite exercises the readers on hostile bytes without clang.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void run(const QByteArray& bytes)
{
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size()));
}

} // namespace

int main(int argc, char* argv[])
{
    std::vector<QByteArray> corpus;
    for (int i = 1; i < argc; ++i) {
        const QFileInfo info(QString::fromLocal8Bit(argv[i]));
        const QStringList files = info.isDir() ? QDir(info.filePath()).entryList(QDir::Files, QDir::Name) : QStringList{info.fileName()};
        const QDir dir = info.isDir() ? QDir(info.filePath()) : info.dir();
        for (const QString& name : files) {
            QFile f(dir.filePath(name));
            if (f.open(QIODevice::ReadOnly))
                corpus.push_back(f.readAll());
        }
    }
    corpus.push_back(QByteArray());
    for (const QByteArray& bytes : corpus)
        run(bytes);

    std::mt19937 gen(20261207);
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes = corpus[gen() % corpus.size()];
        const int edits = 1 + static_cast<int>(gen() % 8);
        for (int e = 0; e < edits; ++e) {
            switch (gen() % 4) {
            case 0:
                if (!bytes.isEmpty())
                    bytes[static_cast<int>(gen() % bytes.size())] = static_cast<char>(gen());
                break;
            case 1:
                bytes.truncate(bytes.isEmpty() ? 0 : static_cast<int>(gen() % bytes.size()));
                break;
            case 2:
                bytes.append(static_cast<char>(gen()));
                break;
            default:
                if (!bytes.isEmpty()) {
                    const int at = static_cast<int>(gen() % bytes.size());
                    bytes.insert(at, bytes.mid(at, static_cast<int>(gen() % 64)));
                }
                break;
            }
        }
        run(bytes);
    }
    std::printf("replayed %zu files and 3000 mutations\n", corpus.size());
    return 0;
}
