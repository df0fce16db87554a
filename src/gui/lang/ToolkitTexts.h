#pragma once

#include <QString>

#include <memory>

class QTranslator;

// Qt's own texts (the standard buttons, the file, font and colour dialogs) in the program's
// language, from Qt's translation files.
class TToolkitTexts {
public:
    TToolkitTexts();
    ~TToolkitTexts();
    // A language named in English ("German"); English, or a language Qt has no texts for,
    // leaves Qt's English texts. True when translated texts are in use.
    bool Use(const QString& languageName);

private:
    std::unique_ptr<QTranslator> Translator;
};
