#pragma once

#include <QString>
#include <QStringList>

// A settings or language file with the classic profile rules: sections and keys match without
// regard to case, values lose surrounding blanks and one pair of quotes and are cut to 2047
// characters, integers may be written 0x.. or $.. in hex. Writes change lines in place in
// memory; UpdateFile puts the whole file on disk at once, so a failed save leaves the old file.
class TIniFile {
public:
    static constexpr int MaxValueLength = 2047;

    // A missing or unreadable file reads as empty. Only a regular file of at most MaxFileBytes
    // is read (a pipe would wait forever, a device never end); one with a UTF-16 byte order
    // mark is read as UTF-16.
    explicit TIniFile(QString fileName);
    static constexpr qint64 MaxFileBytes = qint64(4) << 20;
    // The file is there but could not be read: UpdateFile never replaces it.
    bool Unreadable() const { return NotRead; }
    // A file's contents already in memory (fileName is where UpdateFile would write).
    TIniFile(QString fileName, const QByteArray& contents);
    const QString& FileName() const { return Path; }

    bool ValueExists(const QString& section, const QString& key) const;
    // The keys of a section, as written, in file order (first section of that name only).
    QStringList Keys(const QString& section) const;
    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    // A file or folder name, which keeps bytes that are not UTF-8 (see NativeNames). A name
    // the plain form would change (a line break, blanks or quotes at its ends) is written as a
    // file:// URL, percent-encoded; every other name as it stands.
    QString ReadPath(const QString& section, const QString& key, const QString& def) const;
    void WritePath(const QString& section, const QString& key, const QString& name);
    int ReadInteger(const QString& section, const QString& key, int def) const;
    bool ReadBool(const QString& section, const QString& key, bool def) const;

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);
    void DeleteKey(const QString& section, const QString& key); // a missing key is no error

    // The whole file as it would be written.
    QByteArray Bytes() const;
    // Throws EQuillery "Unable to write to <path>" when the file cannot be written.
    void UpdateFile() const;

    // Decimal, 0x.. or $.. hex, optional sign; false for anything else or out of range.
    static bool ParseInteger(const QString& text, int& value);

private:
    struct Found {
        int Section = -1; // line of the section header, -1 when missing
        int Key = -1;     // line of the key, -1 when missing
        int End = -1;     // one past the section's last non-blank line
    };
    void Parse(const QByteArray& bytes);
    // The value as written, without its surrounding blanks and quotes, cut to MaxValueLength.
    QString ReadValue(const QString& section, const QString& key, const QString& def) const;
    Found Find(const QString& section, const QString& key) const;
    static QString SectionName(const QString& line, bool& isSection);
    static QString KeyName(const QString& line, qsizetype& eq);

    QString Path;
    QStringList Lines;
    QString Eol = QStringLiteral("\n");
    bool NotRead = false;
};
