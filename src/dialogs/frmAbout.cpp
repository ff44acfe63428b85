#include "dialogs/frmAbout.h"

#include "dialogs/DialogControls.h"
#include "dialogs/SharedWindow.h"
#include "platform/MsgBox.h"
#include "platform/Shell.h"
#include "platform/ShellQuote.h"
#include "platform/Text.h"

const QString frmAbout::kMailAddress = QStringLiteral("dev@corvale.org");
const QString frmAbout::kWebSite = QStringLiteral("www.corvale.org");

namespace {

const QString kProduct = QStringLiteral("Corvale");

std::unique_ptr<StaticText> MakeAboutLabel(Window& parent, int left, int top, int width, int height,
                                           const QString& font, int size, const QString& text) {
    auto label = std::make_unique<StaticText>(parent, left, top, width, height, text);
    label->SetTextFont(font);
    label->SetTextSize(size);
    label->SetTextColor(RGB(0, 0, 0));
    label->SetTextAlign(TextAlign::Left);
    label->SetMultiline(true);
    return label;
}

std::unique_ptr<StaticText> MakeLink(Window& parent, int left, int top, int width,
                                     const QString& text) {
    auto link =
        MakeAboutLabel(parent, left, top, width, 18, QStringLiteral("MS Sans Serif"), 10, text);
    link->SetUnderline(true);
    return link;
}

// Runs "open" on one address, quoted for the shell; a failure is reported.
void OpenAddress(const QString& address) {
    ExecuteReportingFailure(QStringLiteral("open ") + ShellQuote(address));
}

} // namespace

frmAbout::frmAbout() : Window(366, 149, QStringLiteral("About Corvale")) {
    CreateControls();
    Open();
}

frmAbout::~frmAbout() = default;

void frmAbout::CreateControls() {
    Window& w = *this;
    const QString helvetica = QStringLiteral("Helvetica");
    // The two links sit a little wider than the layout drew them: no project
    // address fits 74 pixels in this system's fonts.
    StaticText1 = MakeLink(w, 25, 75, 88, kMailAddress);
    StaticText1->MouseDown = [this](int x, int y) { return StaticText1_MouseDown(x, y); };
    StaticText1->MouseExit = [this] { StaticText1_MouseExit(); };
    StaticText1->MouseEnter = [this] { StaticText1_MouseEnter(); };
    StaticText2 = MakeAboutLabel(w, 25, 55, 197, 18, helvetica, 12,
                                 QStringLiteral("(c) 2026 The Corvale developers"));
    StaticText3 = MakeAboutLabel(w, 25, 21, 277, 17, helvetica, 12, kProduct);
    lblVersion = MakeAboutLabel(w, 25, 38, 277, 16, helvetica, 12, QStringLiteral("Version"));
    cmdOK = MakeButton(w, 256, 105, 90, 24, QStringLiteral("OK"), [this] { cmdOK_Action(); });
    cmdOK->SetTextFont(helvetica);
    cmdOK->SetTextSize(10);
    cmdOK->SetDefault(true);
    StaticText10 = MakeLink(w, 118, 75, 117, kWebSite);
    StaticText10->MouseDown = [this](int x, int y) { return StaticText10_MouseDown(x, y); };
    StaticText10->MouseExit = [this] { StaticText10_MouseExit(); };
    StaticText10->MouseEnter = [this] { StaticText10_MouseEnter(); };
}

void frmAbout::Open() {
    lblVersion->SetText(QStringLiteral("1.0.2"));
}

void frmAbout::cmdOK_Action() {
    Close();
}

bool frmAbout::StaticText1_MouseDown(int, int) {
    // The subject is the product name with its blanks written as %20.
    QString subject = kProduct;
    subject.replace(QLatin1Char(' '), QStringLiteral("%20"));
    OpenAddress(QStringLiteral("mailto:") + kMailAddress + QStringLiteral("?subject=") + subject);
    return false;
}

void frmAbout::StaticText1_MouseEnter() {
    StaticText1->SetMouseCursor(CursorShape::PointingHand);
}

void frmAbout::StaticText1_MouseExit() {
    StaticText1->SetMouseCursor(CursorShape::Standard);
}

bool frmAbout::StaticText10_MouseDown(int, int) {
    OpenAddress(QStringLiteral("http://") + kWebSite);
    return false;
}

void frmAbout::StaticText10_MouseEnter() {
    StaticText10->SetMouseCursor(CursorShape::PointingHand);
}

void frmAbout::StaticText10_MouseExit() {
    StaticText10->SetMouseCursor(CursorShape::Standard);
}

class frmAbout& frmAbout() {
    return FindOrCreateWindow<class frmAbout>();
}
