#include "X11Sound.h"

#include <QApplication>

void TX11Sound::Beep() {
    QApplication::beep();
}
