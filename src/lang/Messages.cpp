#include "main/fMain.h"

QString TQuilleryMainForm::MessageText(const QString& text) const {
    return text;
}
