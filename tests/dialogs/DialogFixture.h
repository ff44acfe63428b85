#pragma once

#include "catalogue/CatalogueFixture.h"
#include "dialogs/MainWindowLink.h"
#include "platform/Choosers.h"
#include "platform/MenuItem.h"
#include "platform/Window.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

#include <utility>
#include <vector>

// Stands in for the main window and records each refill it is asked for.
struct RecordingMainWindow : MainWindowLink {
    QString filterText = QStringLiteral("zap");
    std::vector<std::pair<QString, QString>> calls; // (strFilter, strSelect)

    QString FilterText() override { return filterText; }
    void SetFilter(const QString& strFilter, const QString& strSelect) override {
        calls.emplace_back(strFilter, strSelect);
    }
};

// The catalogue fixture plus every window hook reset around each test: no
// chooser or menu ever shows, and the main window is a recorder.
class DialogTest : public CatalogueTest {
protected:
    RecordingMainWindow mainWindow;
    std::vector<QString> popUps; // name of each menu popped up

    void SetUp() override {
        CatalogueTest::SetUp();
        SetMainWindowLink(&mainWindow);
        MenuItem::SetPopUpHook([this](MenuItem& menu) -> MenuItem* {
            popUps.push_back(menu.Name());
            return nullptr;
        });
    }

    void TearDown() override {
        SetMainWindowLink(nullptr);
        MenuItem::SetPopUpHook(nullptr);
        SetSelectFolderHook(nullptr);
        SetGetOpenFolderItemHook(nullptr);
        Window::SetShowModalHook(nullptr);
        CatalogueTest::TearDown();
    }

    // Presses a mouse button on a widget as a click does.
    static void Press(QWidget* widget, Qt::MouseButton button) {
        const QPointF at(2, 2);
        QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), button, button,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &press);
    }
};
