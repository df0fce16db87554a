#pragma once

// What the desktop tests do as the user and as other programs: run tools, copy with xclip,
// wait for windows, and run the real program from a fresh program folder.
#include "fakes/TestDir.h"

#include <QProcess>
#include <QtTest>

#include <csignal>

namespace Desktop {

inline QByteArray Run(const QString& program, const QStringList& args, int timeoutMs = 10000) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(timeoutMs);
    return p.readAllStandardOutput().trimmed();
}

// Copies as another program does; xclip returns once it owns the clipboard.
inline void XclipCopy(const QByteArray& text, const QStringList& extra = {}) {
    QProcess xclip;
    xclip.start("xclip", QStringList{"-selection", "clipboard"} + extra + QStringList{"-i"});
    QVERIFY(xclip.waitForStarted());
    xclip.write(text);
    xclip.closeWriteChannel();
    QVERIFY(xclip.waitForFinished(5000));
}

// The first shown window with this exact title (of this process, when pid is not 0), waited
// for up to 8 s. Searched again and again: a search fails outright when a window it looks at
// goes away meanwhile (a drag's windows do).
inline QString WaitForWindow(qint64 pid, const QString& title) {
    QStringList args{"search", "--all", "--onlyvisible"};
    if (pid)
        args << "--pid" << QString::number(pid);
    args << "--name"
         << "^" + title + "$"; // the pattern comes last
    QElapsedTimer clock;
    clock.start();
    do {
        const QString found = QString::fromUtf8(Run("xdotool", args)).section('\n', 0, 0);
        if (!found.isEmpty())
            return found;
        QTest::qWait(50);
    } while (clock.elapsed() < 8000);
    return {};
}

inline bool Visible(qint64 pid, const QString& title) {
    return !Run("xdotool", {"search", "--all", "--onlyvisible", "--pid", QString::number(pid),
                            "--name", "^" + title + "$"})
                .isEmpty();
}

// SIGTERM, then a clean exit within 10 s.
inline void Stop(QProcess& process) {
    ::kill(pid_t(process.processId()), SIGTERM);
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
}

// A second start of the program in dir with an action: its exit status and what it wrote.
struct TActionResult {
    int Status = -1;
    QByteArray Out, Err;
};
inline TActionResult Action(const TTestDir& dir, const QStringList& args,
                            const QByteArray& input = {}) {
    QProcess action;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", dir.Path());
    action.setProcessEnvironment(env);
    action.start(dir.File("quillery"), args);
    action.write(input);
    action.closeWriteChannel();
    if (!action.waitForFinished(10000))
        return {};
    return {action.exitCode(), action.readAllStandardOutput(), action.readAllStandardError()};
}

// The lock, the user's data and configuration folders in dir.
inline QProcessEnvironment QuilleryEnvironment(const TTestDir& dir) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", dir.Path());
    env.insert("XDG_DATA_HOME", dir.File("data"));
    env.insert("XDG_CONFIG_HOME", dir.File("config"));
    return env;
}

// Installs a copy of the program with the given settings in dir and starts it there, with
// its single-instance lock in dir too, and the user's data and configuration folders in
// dir/data and dir/config, and with argument (bytes, not always UTF-8) on its command line.
// Returns the process id (0 on failure).
inline qint64 StartQuillery(QProcess& process, const TTestDir& dir, const QByteArray& ini,
                            const QByteArray& argument = {}) {
    if (!QFile::exists(dir.File("quillery")))
        QFile::copy(QUILLERY_BIN_DIR "/quillery", dir.File("quillery"));
    if (!ini.isNull())
        TTestDir::Write(dir.File("Quillery.Ini"), ini);
    process.setProcessEnvironment(QuilleryEnvironment(dir));
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (argument.isEmpty()) {
        process.start(dir.File("quillery"), {});
    } else {
        // QProcess would pass the argument as UTF-8 text: the shell makes it of its bytes.
        QString escaped;
        for (char c : argument)
            escaped += QString::asprintf("\\0%03o", unsigned(static_cast<unsigned char>(c)));
        process.start(
            "sh", {"-c", R"sh(exec "$0" "$(printf %b "$1")")sh", dir.File("quillery"), escaped});
    }
    return process.waitForStarted() ? process.processId() : 0;
}

} // namespace Desktop
