// Writes the manual page quillery.1 from the program's --help text, so the two never differ.
// In that text a line ending in a colon is a heading, "  term  text" an entry (continued on
// lines indented further), and any other line prose.
#include "core/start/CommandLine.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

#include <cstdio>

namespace {

// Roff's special characters; an option's hyphens as minus signs, so they can be searched for.
QString Escaped(const QString& text) {
    QString out = text;
    out.replace(u'\\', QStringLiteral("\\e"));
    QStringList words = out.split(u' ');
    for (QString& word : words) {
        if (word.startsWith(u'-') || word.startsWith(QStringLiteral("\"-")))
            word.replace(u'-', QStringLiteral("\\-"));
    }
    out = words.join(u' ');
    if (out.startsWith(u'.') || out.startsWith(u'\''))
        out.prepend(QStringLiteral("\\&"));
    return out;
}

QString ManPage(const QString& usage) {
    const QRegularExpression entry(QStringLiteral("^  (\\S+(?: \\S+)*)  +(\\S.*)$"));
    const QRegularExpression heading(QStringLiteral("^[A-Z][^:]*:$"));
    QStringList out{QStringLiteral(".TH QUILLERY 1 \"\" \"Quillery 3.0\" \"User Commands\""),
                    QStringLiteral(".nh"), // commands read better unbroken
                    QStringLiteral(".SH NAME"),
                    QStringLiteral("quillery \\- clipboard history for the Linux desktop"),
                    QStringLiteral(".SH SYNOPSIS"),
                    QStringLiteral(".nf")};
    const QStringList lines = usage.split(u'\n');
    qsizetype i = 0;
    for (; i < lines.size() && !lines[i].isEmpty(); ++i) // the usage lines
        out << QStringLiteral("\\fBquillery\\fR ") + Escaped(lines[i].trimmed().section(u' ', -1));
    out << QStringLiteral(".fi") << QStringLiteral(".SH DESCRIPTION");
    bool inEntry = false;
    for (; i < lines.size(); ++i) {
        const QString& line = lines[i];
        const auto term = entry.match(line);
        if (line.isEmpty()) {
            inEntry = false;
        } else if (heading.match(line).hasMatch()) {
            out << QStringLiteral(".SH \"%1\"").arg(line.chopped(1).toUpper());
            inEntry = false;
        } else if (term.hasMatch()) {
            out << QStringLiteral(".TP") << QStringLiteral(".B ") + Escaped(term.captured(1))
                << Escaped(term.captured(2));
            inEntry = true;
        } else if (inEntry && line.startsWith(QStringLiteral("    "))) {
            out << Escaped(line.trimmed());
        } else {
            if (inEntry || (i > 0 && lines[i - 1].isEmpty() && !out.last().startsWith(".SH")))
                out << QStringLiteral(".PP");
            out << Escaped(line);
            inEntry = false;
        }
    }
    return out.join(u'\n') + u'\n';
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fputs("usage: make_manpage OUTPUT\n", stderr);
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "make_manpage: %s\n", qPrintable(file.errorString()));
        return 1;
    }
    const QByteArray page = ManPage(CommandLineUsage()).toUtf8();
    return file.write(page) == page.size() && file.flush() ? 0 : 1;
}
