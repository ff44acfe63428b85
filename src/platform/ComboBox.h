#pragma once

#include "platform/Control.h"

#include <QString>

#include <functional>

class QComboBox;

// An editable drop-down list: its value is its text, a row picked or text
// typed. Typing neither completes from the rows nor adds a row.
class ComboBox : public Control {
public:
    ComboBox(Window& parent, int left, int top, int width, int height);
    ComboBox(TabPanel& panel, int page, int left, int top, int width, int height);
    ~ComboBox() override;

    void AddRow(const QString& text);
    int ListCount() const;
    QString List(int row) const;  // empty outside the rows

    QString Text() const;
    void SetText(const QString& text);
    // -1 when no row is selected; setting a row outside the list selects none.
    int ListIndex() const;
    void SetListIndex(int row);

    std::function<bool(int x, int y)> MouseDown;

protected:
    bool OnMouseDown(int x, int y) override;

private:
    void Setup();
    QComboBox* combo_;
};
