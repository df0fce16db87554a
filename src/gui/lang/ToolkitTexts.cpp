#include "ToolkitTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {
// The language whose English name this is; C where none is.
QLocale LocaleNamed(const QString& name) {
    for (int l = QLocale::AnyLanguage + 1; l <= QLocale::LastLanguage; ++l) {
        const auto language = QLocale::Language(l);
        if (QLocale::languageToString(language).compare(name, Qt::CaseInsensitive) == 0)
            return QLocale(language);
    }
    return QLocale::c();
}
} // namespace

TToolkitTexts::TToolkitTexts() = default;

TToolkitTexts::~TToolkitTexts() {
    if (Translator)
        QCoreApplication::removeTranslator(Translator.get());
}

bool TToolkitTexts::Use(const QString& languageName) {
    if (Translator)
        QCoreApplication::removeTranslator(Translator.get());
    Translator.reset();
    const QLocale locale = LocaleNamed(languageName);
    if (locale.language() == QLocale::C || locale.language() == QLocale::English)
        return false;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(translator.get());
    Translator = std::move(translator);
    return true;
}
