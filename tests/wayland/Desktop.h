#pragma once

// The user's side of a headless wlroots desktop: a keyboard (the desktop has none) and a
// native program to type in.
#include "wayland/DesktopUser.h"

#include <QProcess>
#include <QtTest>

namespace WaylandDesktop {

// Copies as a Wayland program does; wl-copy returns once it owns the clipboard.
inline void WlCopy(const QByteArray& text) {
    QProcess copy;
    copy.start("wl-copy");
    copy.write(text);
    copy.closeWriteChannel();
    QVERIFY(copy.waitForFinished(10000));
}

inline void StartKeyboard(QProcess& keyboard) {
    keyboard.start(QUILLERY_HELPER_DIR "/wl_keys");
    QVERIFY(keyboard.waitForReadyRead(5000));
    QCOMPARE(keyboard.readLine(), QByteArray("ready\n"));
}

// A chord of key sym names, "Shift_L Control_L v".
inline void Press(QProcess& keyboard, const QByteArray& keys) {
    keyboard.write(keys + '\n');
    QVERIFY(keyboard.waitForReadyRead(5000));
    QCOMPARE(keyboard.readLine(), QByteArray("done\n"));
}

inline QByteArray Typed(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Started last, so that it has the focus; typed into until it shows that it has, then
// emptied. Its text goes to file.
inline void StartTextWindow(QProcess& window, QProcess& keyboard, const QString& file) {
    window.start(QUILLERY_HELPER_DIR "/text_window", {file});
    QVERIFY(window.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT((Press(keyboard, "x"), Typed(file).startsWith("x")), 10000);
    Press(keyboard, "Control_L a");
    Press(keyboard, "BackSpace");
    QTRY_COMPARE(Typed(file), QByteArray());
}

inline QString SwaySocket() {
    const QDir runtime(qEnvironmentVariable("XDG_RUNTIME_DIR"));
    const QStringList found = runtime.entryList({"sway-ipc.*.sock"}, QDir::System);
    return found.isEmpty() ? QString() : runtime.filePath(found.first());
}

// A sway command or query (swaymsg's options before it); what sway answered.
inline QByteArray SwayMsg(const QStringList& command) {
    QProcess msg;
    msg.start("swaymsg", QStringList{"-s", SwaySocket()} + command);
    msg.waitForFinished(5000);
    return msg.readAllStandardOutput() + msg.readAllStandardError();
}

} // namespace WaylandDesktop
