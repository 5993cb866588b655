// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

// A one-line label that never asks for more room than an ellipsis: a text longer than its width
// is cut with "…" and shown whole as its tooltip. Screen readers still read the whole text.
class ElidedLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

    QSize minimumSizeHint() const override;
    // True while the text is wider than the label.
    bool IsCut() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
};
