// The settings and language file engine on any bytes: reading never crashes, and a key
// written into any file reads back as written.
#include "config/IniFile.h"
#include "lang/LanguageText.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    TIniFile ini(QStringLiteral("/nonexistent/fuzz.ini"), bytes);
    const QString value = ini.ReadString(QStringLiteral("Translations"),
                                         QStringLiteral("frmConfig.rgPowerPaste.Items"), QString());
    (void)LanguageText::SplitItems(value, QStringLiteral(","));
    (void)ini.ReadInteger(QStringLiteral("Options"), QStringLiteral("Rows"), 25);
    (void)ini.Keys(QStringLiteral("Messages"));
    ini.WriteString(QStringLiteral("Options"), QStringLiteral("Rows"), QStringLiteral("42"));
    const TIniFile again(QStringLiteral("/nonexistent/fuzz.ini"), ini.Bytes());
    if (again.ReadInteger(QStringLiteral("Options"), QStringLiteral("Rows"), 0) != 42)
        std::abort();
    return 0;
}
