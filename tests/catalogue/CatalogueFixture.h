#pragma once

#include "catalogue/Module1.h"
#include "platform/Application.h"
#include "platform/Cursor.h"
#include "platform/MsgBox.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

// Texts in failure messages read as texts.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// Fresh shared state in an application folder of its own, with the message
// boxes and cursor changes recorded instead of shown.
class CatalogueTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QStringList messages;
    std::vector<CursorShape> cursors;
    MsgBoxHandler previousMsgBox;
    CursorHandler previousCursor;

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        SetAppFolderPath(dir.path());
        CreateSharedArrays();
        gamecount = gPub = gYear = gGenre = gSource = gSame = gSTH = 0;
        gEdit = gRow = gHighlight = gFilter = 0;
        gAction = false;
        strProgDir.clear();
        strGameDir.clear();
        strTapeDir.clear();
        previousMsgBox = SetMsgBoxHandler([this](const QString& text, int, const QString&) {
            messages << text;
            return kMsgBoxOK;
        });
        previousCursor = SetMainWindowCursorHandler([this](CursorShape s) { cursors.push_back(s); });
    }

    void TearDown() override {
        SetMsgBoxHandler(previousMsgBox);
        SetMainWindowCursorHandler(previousCursor);
        SetAppFolderPath(QString());
    }

    QString FilePath(const QString& name) const { return dir.filePath(name); }

    void WriteFile(const QString& name, const QByteArray& bytes) {
        QFile f(FilePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QByteArray ReadFile(const QString& name) const {
        QFile f(FilePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    // Parses lines as a load does, from an empty catalogue.
    void ParseLines(const QStringList& lines) {
        gamecount = 0;
        gSame = 0;
        for (const QString& line : lines) ParseGame(line);
    }

public:
    // The flag letters of a game, in the order BuildGame writes them.
    static QString Flags(const clsGame& g) {
        QString text;
        for (int i = 1; i <= 26; ++i) {
            if (g.ucFlags[i]) text += QChar(char16_t(64 + i));
            if (g.lcFlags[i]) text += QChar(char16_t(96 + i));
        }
        return text;
    }

    static QStringList Slots(const std::vector<QString>& list, int count) {
        QStringList out;
        for (int i = 1; i <= count; ++i) out << list[i];
        return out;
    }
};
