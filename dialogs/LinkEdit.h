// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

// A read-only, borderless edit that looks and acts like a link: blue, underlined, a hand cursor;
// a click, Enter or Space activates it. Its text can still be selected and copied.
class LinkEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit LinkEdit(const QString& text, QWidget* parent = nullptr);

    // Wide enough for the whole link.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void activated();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // A press that began on the edit; dragging to select text is not a click.
    bool Pressed = false;
};
