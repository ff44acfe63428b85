#include "platform/MacRoman.h"
#include "platform/TextInputStream.h"
#include "platform/TextOutputStream.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

class TextStreams : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QString Path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

    // Reads as the program's loaders do: the end test follows each line.
    QStringList ReadAll(const QByteArray& bytes) {
        const QString path = Path("in.txt");
        WriteBytes(path, bytes);
        auto in = TextInputStream::Open(path);
        EXPECT_TRUE(in);
        QStringList lines;
        if (!in) return lines;
        do {
            lines << in->ReadLine();
        } while (!in->AtEOF());
        return lines;
    }
};

TEST_F(TextStreams, AcceptsEveryLineEnd) {
    const struct {
        QByteArray bytes;
        QStringList lines;
    } cases[] = {
        {"a\nb\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\n\nb", {"a", "", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\n\r\nb\r", {"a", "", "b"}},
        {"\n", {""}},
        {"", {""}},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadAll(c.bytes), c.lines) << c.bytes.toHex().constData();
}

TEST_F(TextStreams, LinesRunAcrossTheReadBuffer) {
    const qsizetype chunk = TextInputStream::kChunkSize;
    const QByteArray a(chunk - 1, 'a');
    const QByteArray longLine(2 * chunk + 5, 'x');
    const QString la = QString::fromLatin1(a);
    const struct {
        QByteArray bytes;
        QStringList lines;
    } cases[] = {
        {a + "\r\nb", {la, "b"}},  // CR ends one chunk, its LF starts the next
        {a + "\r\n", {la}},
        {a + "\r\rb", {la, "", "b"}},
        {a + "\n", {la}},
        {a + "\nb\n", {la, "b"}},
        {a + "b", {la + "b"}},
        {a + "b\n", {la + "b"}},
        {longLine + "\r\ny", {QString::fromLatin1(longLine), "y"}},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadAll(c.bytes), c.lines) << c.bytes.size() << " bytes";
}

TEST_F(TextStreams, AFailedReadEndsTheStream) {
    // Offset 0 of a process's memory is never mapped, so reading it fails
    // (EIO) although the file opens.
    auto in = TextInputStream::Open(QStringLiteral("/proc/self/mem"));
    if (!in) GTEST_SKIP() << "/proc/self/mem cannot be opened here";
    EXPECT_FALSE(in->ReadError());
    EXPECT_EQ(in->ReadLine(), QString());
    EXPECT_TRUE(in->ReadError());
    EXPECT_TRUE(in->AtEOF());
    EXPECT_EQ(in->ReadLine(), QString());
    EXPECT_TRUE(in->ReadError());
}

TEST_F(TextStreams, ReadingToTheEndIsNoError) {
    const QByteArray longLine(TextInputStream::kChunkSize + 1, 'x');
    const QByteArray contents[] = {"", "one\n", longLine};
    for (const QByteArray& bytes : contents) {
        WriteBytes(Path("in.txt"), bytes);
        auto in = TextInputStream::Open(Path("in.txt"));
        ASSERT_TRUE(in);
        while (!in->AtEOF()) in->ReadLine();
        EXPECT_FALSE(in->ReadError()) << bytes.size() << " bytes";
    }
}

TEST_F(TextStreams, ReadingPastTheEndGivesEmptyLines) {
    WriteBytes(Path("one.txt"), "only\n");
    auto in = TextInputStream::Open(Path("one.txt"));
    ASSERT_TRUE(in);
    EXPECT_FALSE(in->AtEOF());
    EXPECT_EQ(in->ReadLine(), QStringLiteral("only"));
    EXPECT_TRUE(in->AtEOF());
    EXPECT_EQ(in->ReadLine(), QString());
    EXPECT_EQ(in->ReadLine(), QString());
    in->Close();
    EXPECT_TRUE(in->AtEOF());
}

TEST_F(TextStreams, OpeningWhatIsNoReadableFileGivesNothingAtOnce) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path("fifo")).constData(), 0644), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), Path("zero")));
    const QString paths[] = {Path("missing.txt"), dir.path(), QString(), Path("fifo"), Path("zero"), "/dev/null"};
    for (const QString& path : paths) EXPECT_FALSE(TextInputStream::Open(path)) << path.toStdString();
}

TEST_F(TextStreams, AFileChangedBeforeItIsClosedIsAReadError) {
    WriteBytes(Path("in.txt"), "one\ntwo\n");
    auto in = TextInputStream::Open(Path("in.txt"));
    ASSERT_TRUE(in);
    EXPECT_EQ(in->ReadLine(), QStringLiteral("one"));
    QFile other(Path("in.txt"));
    ASSERT_TRUE(other.open(QIODevice::Append));
    other.write("three\n");
    other.close();
    in->Close();
    EXPECT_TRUE(in->ReadError());
}

TEST_F(TextStreams, MacRomanBytesAreOneCharacterEach) {
    const QStringList lines = ReadAll(QByteArray("\x8E\xDB\xA5\x80\xF0z", 6));
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0].size(), 6);
    EXPECT_EQ(lines[0].left(4), QStringLiteral("\u00E9\u20AC\u2022\u00C4"));
    EXPECT_EQ(lines[0].at(5), QLatin1Char('z'));
}

TEST_F(TextStreams, EveryByteSurvivesAReadAndAWrite) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        if (b != '\n' && b != '\r') all.append(char(b));
    const QStringList lines = ReadAll(all);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0].size(), all.size());

    auto out = TextOutputStream::Create(Path("out.txt"));
    ASSERT_TRUE(out);
    out->WriteLine(lines[0]);
    ASSERT_TRUE(out->Close());
    EXPECT_EQ(ReadBytes(Path("out.txt")), all + '\n');
}

TEST(MacRoman, EveryByteDecodesToOneCharacterAndBack) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) all.append(char(b));
    const QString text = MacRoman::Decode(all.constData(), all.size());
    EXPECT_EQ(text.size(), 256);
    EXPECT_EQ(MacRoman::Encode(text), all);
}

TEST(MacRoman, WritesComposedCharacters) {
    const struct {
        QString text;
        QByteArray bytes;
    } cases[] = {
        {QStringLiteral("e\u0301"), "\x8E"},                  // composed to U+00E9
        {QStringLiteral("Cafe\u0301 A\u0308"), "Caf\x8E \x80"},
        {QStringLiteral("\u00E9\u0301"), "\x8E?"},           // no Mac Roman byte for the double accent
        {QStringLiteral("\u2126"), "\xBD"},                   // the ohm sign is the capital omega
        {QStringLiteral("\u0141"), "?"},
        {QString::fromUtf8("a\U0001F600b\U0001F600\U00010348"), "a?b??"},
        {QString(QChar(0xD83D)) + QLatin1Char('x'), "?x"},     // a half of a surrogate pair alone
        {QStringLiteral("\uE01E\u20AC\uFB01"), "\xF0\xDB\xDE"},
        // Each field on its own: a mark never takes the accent after it.
        {QStringLiteral("(1984) (P)<\u0338Arcade>[a=\u0338e\u0301]"), "(1984) (P)<?Arcade>[a\xAD\x8E]"},
        {QStringLiteral("x\u0344y\uFB2C"), "x?y?"},  // composed forms of two and three code points
    };
    for (const auto& c : cases) EXPECT_EQ(MacRoman::Encode(c.text), c.bytes) << c.text.toStdString();
}

TEST_F(TextStreams, WritesLfAndQuestionMarksForForeignCharacters) {
    auto out = TextOutputStream::Create(Path("out.txt"));
    ASSERT_TRUE(out);
    out->WriteLine(QStringLiteral("caf\u00E9 \u00FC"));
    out->WriteLine(QString());
    out->WriteLine(QStringLiteral("\u65E5\u672C x \u0394"));
    out->WriteLine(QStringLiteral("one\nline\r\nstill\r"));
    ASSERT_TRUE(out->Close());
    EXPECT_TRUE(out->ErrorString().isEmpty());
    EXPECT_EQ(ReadBytes(Path("out.txt")), QByteArray("caf\x8E \x9F\n\n?? x \xC6\none?line??still?\n"));
}

TEST_F(TextStreams, PreviousFileStaysUntilTheNewOneIsCommitted) {
    WriteBytes(Path("keep.txt"), "old\n");
    {
        auto out = TextOutputStream::Create(Path("keep.txt"));
        ASSERT_TRUE(out);
        out->WriteLine(QStringLiteral("new"));
        EXPECT_EQ(ReadBytes(Path("keep.txt")), QByteArray("old\n"));
        // Dropped without Close(), as after a failure part-way.
    }
    EXPECT_EQ(ReadBytes(Path("keep.txt")), QByteArray("old\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.txt"});
}

TEST_F(TextStreams, CreatingWhereNoFileCanBeGivesAReason) {
    const QString targets[] = {dir.path(), Path("no-such-folder/out.txt"), QString()};
    for (const QString& target : targets) {
        QString error;
        EXPECT_FALSE(TextOutputStream::Create(target, &error)) << target.toStdString();
        EXPECT_FALSE(error.isEmpty()) << target.toStdString();
    }
}

}  // namespace
