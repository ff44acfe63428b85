#include "platform/CaseFreePath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

// Derived names of the catalogue's kind: a folder's up to " (", a file's
// without blanks.
QString FolderUpToParenthesis(const QString& name) {
    return name.section(QStringLiteral(" ("), 0, 0);
}

QString FileWithoutBlanks(const QString& name) {
    return QString(name).remove(QLatin1Char(' '));
}

class CaseFreePathTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    DerivedNames before = SetDerivedNames({FolderUpToParenthesis, FileWithoutBlanks});

    void TearDown() override { SetDerivedNames(before); }

    QString Path(const QString& relative) const { return dir.path() + QLatin1Char('/') + relative; }

    void Touch(const QString& relative) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(Path(relative)).path()));
        QFile f(Path(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << relative.toStdString();
    }
};

TEST_F(CaseFreePathTest, MatchesEachPartIgnoringCase) {
    for (const char* file : {"Acornsoft/ALPHA.SSD", "Acornsoft/Beta.ssd", "Acornsoft/beta.ssd", "Twins/Gamma.ssd",
                             "Twins/GAMMA.ssd", "SUPERIOR", "Superior/Delta.ssd", "Loose.ssd",
                             "\u00C9lan/\u00C9lan.ssd", "Pub/E\u0301lite.ssd", "A/Elite.ssd", "a/Other.ssd",
                             "Superior/Other.ssd", "Superior (UK)/Ravenskull.ssd", "Pub/Chuckie Egg.ssd",
                             "Gremlin (UK)/Zap.ssd", "Pub/chuckieegg.ssd/x", " (Various)/Song.ssd", "Gremlin",
                             "Pub/Pipe Dream.ssd"})
        Touch(QString::fromUtf8(file));
    ASSERT_EQ(mkfifo(QFile::encodeName(Path("Pub/PipeDream.ssd")), 0600), 0);

    struct Case {
        const char* relative;
        const char* found;  // nullptr: nothing matches, the exact path comes back
    };
    const Case cases[] = {
        {"acornsoft/alpha.ssd", "Acornsoft/ALPHA.SSD"},
        {"\u00E9LAN/\u00E9lan.SSD", "\u00C9lan/\u00C9lan.ssd"},
        // An exact name wins over a variant that sorts before it.
        {"Acornsoft/beta.ssd", "Acornsoft/beta.ssd"},
        // Two variants, neither exact: the first in name order.
        {"Twins/gamma.ssd", "Twins/GAMMA.ssd"},
        // Only a folder leads on, though a file of that name sorts first.
        {"superior/delta.SSD", "Superior/Delta.ssd"},
        // Composed or not, a name is one name.
        {"pub/\u00C9LITE.ssd", "Pub/E\u0301lite.ssd"},
        // A folder that lacks the rest gives way to the next.
        {"a/Elite.ssd", "A/Elite.ssd"},
        {"Superior/Ravenskull.ssd", "Superior (UK)/Ravenskull.ssd"},
        // A folder of the file's name gives way to the file, even one at the
        // exact path; so does a FIFO.
        {"Pub/ChuckieEgg.ssd", "Pub/Chuckie Egg.ssd"},
        {"Pub/chuckieegg.ssd", "Pub/Chuckie Egg.ssd"},
        {"Pub/PipeDream.ssd", "Pub/Pipe Dream.ssd"},
        // A folder whose derived name is empty answers the empty part.
        {"/Song.ssd", " (Various)/Song.ssd"},
        {"loose.ssd/Alpha.ssd", nullptr},
        {"Acornsoft/Missing.ssd", nullptr},
    };
    for (const Case& c : cases) {
        const QString expected = Path(QString::fromUtf8(c.found ? c.found : c.relative));
        EXPECT_EQ(CaseFreePath(dir.path(), QString::fromUtf8(c.relative)), expected) << c.relative;
    }
    // A folder's last part leads further too, past a file at the exact path.
    EXPECT_EQ(CaseFreeFolderPath(dir.path(), "Gremlin"), Path("Gremlin (UK)"));
    EXPECT_EQ(CaseFreeFolderPath(dir.path(), "loose.SSD"), Path("loose.SSD"));
    // The base is a real folder, taken as given.
    EXPECT_EQ(CaseFreePath(Path("ACORNSOFT"), "alpha.ssd"), Path("ACORNSOFT/alpha.ssd"));
}

TEST_F(CaseFreePathTest, FollowsRenamesAndRemovals) {
    Touch(QStringLiteral("Late/ONE.SSD"));
    EXPECT_EQ(CaseFreePath(dir.path(), "late/one.ssd"), Path("Late/ONE.SSD"));
    ASSERT_TRUE(QFile::rename(Path("Late/ONE.SSD"), Path("Late/One.Ssd")));
    EXPECT_EQ(CaseFreePath(dir.path(), "late/one.ssd"), Path("Late/One.Ssd"));
    ASSERT_TRUE(QFile::remove(Path("Late/One.Ssd")));
    EXPECT_EQ(CaseFreePath(dir.path(), "late/one.ssd"), Path("late/one.ssd"));
}

}  // namespace
