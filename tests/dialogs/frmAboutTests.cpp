#include "DialogFixture.h"

#include "dialogs/frmAbout.h"

#include <QDir>
#include <QKeyEvent>

namespace {

// The About window with a recording "open" in the application folder's bin:
// each call appends its arguments, each in <>, as one line of open.log.
class AboutTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        InstallOpen("printf '<%s>' \"$@\" >> \"$(dirname \"$0\")/../open.log\"\necho >> "
                    "\"$(dirname \"$0\")/../open.log\"\n");
    }

    void InstallOpen(const QByteArray& body) {
        QDir(dir.path()).mkpath("bin");
        WriteFile("bin/open", "#!/bin/sh\n" + body);
        QFile::setPermissions(FilePath("bin/open"), QFileDevice::ReadOwner |
                                                        QFileDevice::WriteOwner |
                                                        QFileDevice::ExeOwner);
    }
};

TEST_F(AboutTest, OpensWithTheVersionAndOKCloses) {
    auto& w = frmAbout();
    EXPECT_EQ(w.Title(), QStringLiteral("About Corvale"));
    EXPECT_EQ(w.lblVersion->Text(), QStringLiteral("1.0.2"));
    EXPECT_EQ(w.StaticText1->Text(), frmAbout::kMailAddress);
    EXPECT_EQ(w.StaticText10->Text(), frmAbout::kWebSite);
    w.cmdOK->Push();
    EXPECT_FALSE(w.IsOpen());
    // A new showing sets the version again.
    EXPECT_EQ(frmAbout().lblVersion->Text(), QStringLiteral("1.0.2"));
}

TEST_F(AboutTest, ReturnAndEnterPressOK) {
    for (int key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto& w = frmAbout();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(w.Widget(), &press);
        EXPECT_FALSE(w.IsOpen()) << key;
    }
}

TEST_F(AboutTest, EachLinkClickOpensItsAddressAsOneQuotedArgument) {
    auto& w = frmAbout();
    Press(w.StaticText1->Widget(), Qt::LeftButton);
    Press(w.StaticText10->Widget(), Qt::LeftButton);
    EXPECT_FALSE(w.StaticText1_MouseDown(0, 0));
    EXPECT_FALSE(w.StaticText10_MouseDown(0, 0));
    EXPECT_EQ(ReadFile("open.log"), "<mailto:dev@corvale.org?subject=Corvale>\n"
                                    "<http://www.corvale.org>\n"
                                    "<mailto:dev@corvale.org?subject=Corvale>\n"
                                    "<http://www.corvale.org>\n");
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(w.IsOpen());
    w.cmdOK->Push();
}

TEST_F(AboutTest, AFailingOpenIsReportedWithItsStatusAndOutput) {
    InstallOpen("echo \"no handler for $1\" >&2\nexit 3\n");
    auto& w = frmAbout();
    w.StaticText10_MouseDown(0, 0);
    w.StaticText1_MouseDown(0, 0);
    EXPECT_EQ(
        messages,
        (QStringList{"Error 3, no handler for http://www.corvale.org\n",
                     "Error 3, no handler for mailto:dev@corvale.org?subject=Corvale\n"}));
    EXPECT_TRUE(w.IsOpen());
    w.cmdOK->Push();
}

TEST_F(AboutTest, LinksShowThePointingHandWhileTheMouseIsOverThem) {
    auto& w = frmAbout();
    for (StaticText* link : {w.StaticText1.get(), w.StaticText10.get()}) {
        QWidget* label = link->Widget();
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(label, &enter);
        EXPECT_EQ(label->cursor().shape(), Qt::PointingHandCursor);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(label, &leave);
        EXPECT_EQ(label->cursor().shape(), Qt::ArrowCursor);
    }
    // The other labels keep the standard pointer.
    EXPECT_EQ(w.lblVersion->Widget()->cursor().shape(), Qt::ArrowCursor);
    w.cmdOK->Push();
}

} // namespace
