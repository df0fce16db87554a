#include "CommandLine.h"

#include <array>
#include <utility>

namespace {
constexpr std::array<std::pair<TAction, const char*>, 8> Names{{
    {TAction::SeriesPaste, "series-paste"},
    {TAction::Paste, "paste"},
    {TAction::Toggle, "toggle"},
    {TAction::Copy, "copy"},
    {TAction::Add, "add"},
    {TAction::Print, "print"},
    {TAction::List, "list"},
    {TAction::Help, "help"},
}};

// A row number: decimal digits only, small enough for any list.
int RowNumber(const QString& text) {
    if (text.isEmpty() || text.size() > 9)
        return -1;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return -1;
    }
    return text.toInt();
}

// Reads "--name", "--name N" or "--name=N" at position i; moves i past what it used.
TCommandLine ParseAction(const QStringList& arguments, qsizetype& i) {
    QString name = arguments[i].mid(2);
    QString value;
    const qsizetype equals = name.indexOf(u'=');
    const bool joined = equals >= 0;
    if (joined) {
        value = name.mid(equals + 1);
        name.truncate(equals);
    }
    TCommandLine parsed;
    parsed.Action = ActionNamed(name.toUtf8());
    if (parsed.Action == TAction::None) {
        parsed.Error = QStringLiteral("unknown option --%1").arg(name);
        return parsed;
    }
    if (!TakesNumber(parsed.Action)) {
        if (joined)
            parsed.Error = QStringLiteral("--%1 takes no value").arg(name);
        return parsed;
    }
    if (!joined && i + 1 < arguments.size())
        value = arguments[++i];
    parsed.Number = RowNumber(value);
    if (parsed.Number < 0 || parsed.Number > MaxNumber(parsed.Action))
        parsed.Error =
            parsed.Action == TAction::Paste
                ? QStringLiteral("--paste takes a number from 0 to 9")
                : QStringLiteral("--%1 takes a clip number (0 is the top clip)").arg(name);
    return parsed;
}
} // namespace

QByteArray ActionName(TAction action) {
    for (const auto& [named, name] : Names) {
        if (named == action)
            return name;
    }
    return {};
}

TAction ActionNamed(const QByteArray& name) {
    for (const auto& [action, known] : Names) {
        if (name == known)
            return action;
    }
    return TAction::None;
}

bool TakesNumber(TAction action) {
    return action == TAction::Paste || action == TAction::Copy || action == TAction::Print;
}

int MaxNumber(TAction action) {
    if (action == TAction::Paste)
        return 9;
    return TakesNumber(action) ? 999999999 : 0; // nine digits: more rows than any list has
}

TCommandLine ParseCommandLine(const QStringList& arguments) {
    TCommandLine result;
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size() && result.Error.isEmpty(); ++i) {
        const QString& argument = arguments[i];
        if (!optionsEnded && argument == QStringLiteral("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && (argument == QStringLiteral("-h") ||
                                     (argument.startsWith(QStringLiteral("--"))))) {
            if (result.Action != TAction::None) {
                result.Error = QStringLiteral("one action at a time");
                break;
            }
            const TCommandLine action = argument == QStringLiteral("-h")
                                            ? TCommandLine{TAction::Help, 0, {}, {}}
                                            : ParseAction(arguments, i);
            result.Action = action.Action;
            result.Number = action.Number;
            result.Error = action.Error;
        } else if (result.File.isEmpty()) {
            result.File = argument;
        }
    }
    if (result.Error.isEmpty() && result.Action != TAction::None && !result.File.isEmpty())
        result.Error = QStringLiteral("an action takes no file name: %1").arg(result.File);
    return result;
}

QString CommandLineUsage() {
    // Also the manual page's source (tools/MakeManPage.cpp): a line that ends in a colon is a
    // heading; "  term  text" an entry, continued on lines indented further.
    return QStringLiteral(
        "Usage: quillery [FILE]\n"
        "       quillery ACTION\n"
        "\n"
        "Quillery keeps every text you copy as a clip, the newest at the top of its list.\n"
        "Started with a clip list FILE (.clp), it opens that list. Started with an ACTION, it\n"
        "hands the action to the Quillery that runs already, and ends.\n"
        "\n"
        "Actions:\n"
        "  --series-paste  paste the current clip into the window you work in, then move to\n"
        "                  the next clip (as Shift+Ctrl+V does on X11)\n"
        "  --paste N       paste the clip N rows below the current one, N from 0 to 9\n"
        "                  (as Shift+Ctrl+N)\n"
        "  --toggle        show or hide Quillery's window (as Shift+Ctrl+M)\n"
        "  --copy N        put clip N on the clipboard; 0 is the top clip\n"
        "  --add           add standard input as a new clip at the top, as a copy would\n"
        "  --print N       write clip N to standard output, its bytes as stored\n"
        "  --list          write every clip as one line, newest first: its number, a tab, and\n"
        "                  the start of its text on one line (for menu launchers)\n"
        "  -h, --help      show this text\n"
        "\n"
        "Exit status:\n"
        "  0  done\n"
        "  1  no Quillery runs, or the action failed (the reason goes to standard error)\n"
        "  2  arguments that make no sense\n"
        "\n"
        "Hot keys on Wayland:\n"
        "No program may take keys for itself there, so bind the actions to keys in your\n"
        "desktop's settings:\n"
        "  sway:      bindsym Shift+Ctrl+v exec quillery --series-paste\n"
        "  Hyprland:  bind = CTRL SHIFT, V, exec, quillery --series-paste\n"
        "  GNOME:     Settings > Keyboard > Keyboard Shortcuts > Custom Shortcuts,\n"
        "             command \"quillery --series-paste\"\n"
        "  KDE:       System Settings > Shortcuts > Add New > Command or Script,\n"
        "             command \"quillery --series-paste\"\n"
        "Where the desktop offers global shortcuts to programs (KDE Plasma, GNOME 48 and\n"
        "later, Hyprland), Quillery asks for its keys itself at start.\n"
        "\n"
        "Menu launchers:\n"
        "Pick a clip from a launcher's menu: the chosen line's number goes back to --copy,\n"
        "and the clip is on the clipboard to paste.\n"
        "  fuzzel:    quillery --list | fuzzel -d | cut -f1 | xargs -r quillery --copy\n"
        "  wofi:      quillery --list | wofi -d | cut -f1 | xargs -r quillery --copy\n"
        "  rofi:      quillery --list | rofi -dmenu | cut -f1 | xargs -r quillery --copy\n"
        "  bemenu:    quillery --list | bemenu -l 20 | cut -f1 | xargs -r quillery --copy\n"
        "  dmenu:     quillery --list | dmenu -l 20 | cut -f1 | xargs -r quillery --copy\n");
}
