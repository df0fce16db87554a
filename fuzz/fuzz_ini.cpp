// The settings and language file engine on any bytes: reading never crashes; writing one key
// leaves every other key of the file reading as before, and the key reads back as written.
#include "core/config/IniFile.h"
#include "core/lang/LanguageText.h"

#include <cstdlib>

namespace {
const QStringList Sections = {"Options", "Defaults", "Translations", "Messages"};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    TIniFile ini(QStringLiteral("/nonexistent/fuzz.ini"), bytes);
    QList<std::tuple<QString, QString, QString>> before;
    for (const QString& section : Sections)
        for (const QString& key : ini.Keys(section))
            before.append({section, key, ini.ReadString(section, key, QStringLiteral("\x01"))});
    (void)ini.ReadInteger(QStringLiteral("Options"), QStringLiteral("Rows"), 25);
    ini.WriteString(QStringLiteral("Options"), QStringLiteral("Rows"), QStringLiteral("42"));
    const TIniFile again(QStringLiteral("/nonexistent/fuzz.ini"), ini.Bytes());
    if (again.ReadInteger(QStringLiteral("Options"), QStringLiteral("Rows"), 0) != 42)
        std::abort();
    for (const auto& [section, key, value] : before) {
        if (LanguageText::SameName(section, QStringLiteral("Options")) &&
            LanguageText::SameName(LanguageText::TrimBlanks(key), QStringLiteral("Rows")))
            continue;
        if (again.ReadString(section, key, QStringLiteral("\x01")) != value)
            std::abort();
    }
    return 0;
}
