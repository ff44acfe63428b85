#pragma once

#include "MainWindowFixture.h"

#include "platform/Window.h"

#include <functional>

// The main window over a small catalogue, with a recording `open` on the
// shell's path, message boxes answered and recorded, and modal windows
// recorded and closed at once.
class CommandsTest : public MainWindowTest {
protected:
    struct Box {
        QString text;
        int type;
        QString title;
    };

    std::vector<Box> boxes;
    int yesNoAnswer = kMsgBoxYes;
    // Runs inside each message box, before it is answered.
    std::function<void(const QString&)> onMessage;
    // Runs for each window shown modally, in place of its loop.
    std::function<void(Window&)> onModal;
    QStringList modalTitles;
    Window::ShowModalHook previousModal;

    QString discDir, tapeDir, progDir;

    // The catalogue the window opens with; tab 0 lists it in this order.
    virtual QStringList Catalogue() const {
        return {
            QStringLiteral("Alpha (1984) (Acornsoft)<Arcade>{DfP}"),
            QStringLiteral("Beta Tape (1985) (Micro Power)[.uef]{dP}"),
            QStringLiteral("Gamma (19xx) (Acornsoft)[gamma.UEF.bak]"),
            QStringLiteral("Delta (1986) (Superior)<Adventure>{Dp}"),
        };
    }

    void SetUp() override {
        MainWindowTest::SetUp();
        // An empty file would still hold one (empty) game.
        if (!Catalogue().isEmpty()) WriteLines(QStringLiteral("corvale.txt"), Catalogue());
        WriteRecordingOpen();
        Open();
        // The base fixture puts back the handler it found.
        SetMsgBoxHandler([this](const QString& text, int type, const QString& title) {
            boxes.push_back({text, type, title});
            if (onMessage) onMessage(text);
            return (type & 7) == 4 ? yesNoAnswer : kMsgBoxOK;
        });
        previousModal = Window::SetShowModalHook([this](Window& window) {
            modalTitles << window.Title();
            if (onModal) onModal(window);
            window.Close();
        });

        // Blanks and a quote in the paths the commands hand to the shell.
        discDir = dir.filePath(QStringLiteral("disc images"));
        tapeDir = dir.filePath(QStringLiteral("tape's dir"));
        progDir = dir.filePath(QStringLiteral("emu lator"));
        strGameDir = discDir;
        strTapeDir = tapeDir;
        strProgDir = progDir;
    }

    void TearDown() override {
        w.reset();
        Window::SetShowModalHook(previousModal);
        MainWindowTest::TearDown();
    }

    void Select(int row) { List().SetListIndex(row); }

    void WriteText(const QString& name, const QString& text) {
        const QString path = FilePath(name);
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
        f.write(text.toUtf8());
    }

    void MakeFolder(const QString& name) { ASSERT_TRUE(QDir().mkpath(FilePath(name))); }

    QStringList CatalogueLines() const {
        QFile f(FilePath(QStringLiteral("corvale.txt")));
        if (!f.open(QIODevice::ReadOnly)) return {QStringLiteral("<missing>")};
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    // `open` appends each argument on a line of its own and "--" after each
    // call; with the file "open-fails" present it fails instead.
    void WriteRecordingOpen() {
        const QString script = QStringLiteral(
                                   "#!/bin/sh\n"
                                   "if [ -f '%1/open-fails' ]; then echo 'open: cannot open' >&2; exit 3; fi\n"
                                   "for a in \"$@\"; do printf '%s\\n' \"$a\" >> '%1/open.log'; done\n"
                                   "echo -- >> '%1/open.log'\n")
                                   .arg(dir.path());
        WriteText(QStringLiteral("bin/open"), script);
        QFile(FilePath(QStringLiteral("bin/open")))
            .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    void MakeOpenFail() { WriteText(QStringLiteral("open-fails"), QString()); }

    // The arguments of each call of `open`, in order.
    std::vector<QStringList> OpenCalls() const {
        std::vector<QStringList> calls;
        QFile f(FilePath(QStringLiteral("open.log")));
        if (!f.open(QIODevice::ReadOnly)) return calls;
        QStringList args;
        for (const QString& line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
            if (line == QLatin1String("--")) {
                calls.push_back(args);
                args.clear();
            } else if (!line.isEmpty()) {
                args << line;
            }
        }
        return calls;
    }

    QStringList Messages() const {
        QStringList texts;
        for (const Box& b : boxes) texts << b.text;
        return texts;
    }
};
