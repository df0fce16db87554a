#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <filesystem>

// The bytes of a .clp file holding these clips.
inline QByteArray Clp(const QList<QByteArray>& clips) {
    QByteArray out;
    for (const QByteArray& c : clips)
        out += c + "\r\n\x0c\r\n";
    return out;
}

// A fresh program directory per test, with helpers for whole-file reads and writes.
class TTestDir {
public:
    TTestDir() { QVERIFY2(Dir.isValid(), "cannot create a temporary directory"); }
    // By bytes: Qt cannot remove a file whose name is not UTF-8.
    ~TTestDir() {
        std::error_code ignored;
        std::filesystem::remove_all(Dir.path().toStdString(), ignored);
    }
    // With a trailing separator, as the program directory is given.
    QString Path() const { return Dir.path() + QLatin1Char('/'); }
    QString File(const QString& name) const { return Path() + name; }

    static QByteArray Read(const QString& fileName) {
        QFile f(fileName);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void Write(const QString& fileName, const QByteArray& bytes) {
        QFile f(fileName);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(bytes), bytes.size());
    }
    // A file whose name is given as bytes, which need not be UTF-8.
    static void WriteNamed(const QByteArray& fileName, const QByteArray& bytes) {
        std::FILE* f = std::fopen(fileName.constData(), "wb");
        QVERIFY(f);
        QCOMPARE(std::fwrite(bytes.constData(), 1, size_t(bytes.size()), f), size_t(bytes.size()));
        QCOMPARE(std::fclose(f), 0);
    }
    static QByteArray ReadNamed(const QByteArray& fileName) {
        QByteArray bytes;
        if (std::FILE* f = std::fopen(fileName.constData(), "rb")) {
            char block[4096];
            for (size_t n; (n = std::fread(block, 1, sizeof block, f)) > 0;)
                bytes.append(block, qsizetype(n));
            std::fclose(f);
        }
        return bytes;
    }
    static QByteArray Golden(const QString& name) {
        return Read(QStringLiteral(QUILLERY_TEST_DATA "/") + name);
    }

private:
    QTemporaryDir Dir;
};

#include <sys/mount.h>
#include <unistd.h>

// A folder on a tiny file system that is full, so every write into it fails for lack of
// space. Needs root (a private tmpfs); Available() is false where that cannot be had.
class TFullDisk {
public:
    TFullDisk() {
        if (::mount("tmpfs", Dir.path().toLocal8Bit().constData(), "tmpfs", 0, "size=64k") != 0)
            return;
        Mounted = true;
        QFile filler(File("filler"));
        if (filler.open(QIODevice::WriteOnly)) {
            const QByteArray block(4096, 'x');
            while (filler.write(block) == block.size() && filler.flush()) {
            }
        }
    }
    ~TFullDisk() {
        if (Mounted)
            ::umount2(Dir.path().toLocal8Bit().constData(), MNT_DETACH);
    }
    bool Available() const { return Mounted; }
    QString File(const QString& name) const { return Dir.path() + QLatin1Char('/') + name; }
    // Makes room for a file of about this size, then fills the rest again.
    void LeaveRoomFor(const QString& name, const QByteArray& bytes) {
        QFile::remove(File("filler"));
        TTestDir::Write(File(name), bytes);
        QFile filler(File("filler"));
        if (filler.open(QIODevice::WriteOnly)) {
            const QByteArray block(512, 'x');
            while (filler.write(block) == block.size() && filler.flush()) {
            }
        }
    }

private:
    QTemporaryDir Dir;
    bool Mounted = false;
};
