// The language file on any bytes, as the program reads it from disk: every message reads as
// the engine reads it, and a translated value splits into items that are pieces of it.
#include "core/config/IniFile.h"
#include "core/lang/LanguageText.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString file = dir.filePath(QStringLiteral("Fuzz.lng"));
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(bytes) != bytes.size())
        std::abort();
    out.close();
    if (LanguageText::LanguageFile(dir.path() + QLatin1Char('/'), QStringLiteral("Fuzz")) != file)
        std::abort();
    const TIniFile ini(file, bytes);
    for (const QString& key : ini.Keys(QStringLiteral("Messages"))) {
        if (LanguageText::MessageText(file, key) !=
            ini.ReadString(QStringLiteral("Messages"), key, key))
            std::abort();
    }
    for (const QString& path : ini.Keys(QStringLiteral("Translations"))) {
        // The path's names, as the translation pass splits it: no blank or control character
        // (up to U+0020) around any name, and nothing else taken away.
        for (const QString& name : path.split(QLatin1Char('.'))) {
            const QString trimmed = LanguageText::TrimBlanks(name);
            if (!trimmed.isEmpty() &&
                (trimmed.front().unicode() <= 0x20 || trimmed.back().unicode() <= 0x20))
                std::abort();
            if (!name.contains(trimmed))
                std::abort();
        }
        const QString value = ini.ReadString(QStringLiteral("Translations"), path, QString());
        for (const QString& separator : {QStringLiteral(","), QStringLiteral(";"), QString()}) {
            for (const QString& item : LanguageText::SplitItems(value, separator)) {
                if (!value.contains(item))
                    std::abort();
            }
        }
    }
    return 0;
}
