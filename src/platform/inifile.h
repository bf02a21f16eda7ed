#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// A small INI file reader and writer. Keys are written literally ("installer#3=1"), because
// other programs read these files too; sections and keys compare without regard to case.
// Lines it does not understand are kept as they are.
class IniFile {
public:
    explicit IniFile(QString path);

    // Reads the file; a missing or unreadable file reads as empty.
    void load();
    // Parses text as if it were the file's contents.
    void parse(const QByteArray& text);
    // Writes the file atomically; false when it cannot be written.
    bool save() const;

    QString readString(const QString& section, const QString& key, const QString& def = QString()) const;
    int readInteger(const QString& section, const QString& key, int def = 0) const;
    bool readBool(const QString& section, const QString& key, bool def = false) const;

    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);

    QStringList sections() const;
    QByteArray text() const;
    const QString& path() const { return path_; }

private:
    struct Line {
        QString key;   // empty for a comment, blank or unparsed line
        QString value;
        QString raw;   // the line as read, kept when the line is not a key
    };
    struct Section {
        QString name;  // empty for lines before the first section header
        std::vector<Line> lines;
    };

    const Line* find(const QString& section, const QString& key) const;
    Section& sectionFor(const QString& section);

    QString path_;
    std::vector<Section> sections_;
};
